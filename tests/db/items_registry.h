#pragma once
// A registry of the tests' own: S_ITEMS (ID, NAME) on the source copied into
// T_ITEMS (CODE, NAME) on the target, the code zero-padded to 5.
#include <string>

#include "db/copy_loop.h"
#include "db/firebird/statement.h"
#include "text/text_ops.h"

namespace conversor::testing {

inline const char* kItemsSourceTable = "CREATE TABLE S_ITEMS (ID INTEGER, NAME VARCHAR(20))";

inline CopyLoop ItemsRegistry() {
    CopyLoop loop;
    loop.registry = "items";
    loop.statusText = "Convertendo Itens...";
    loop.sourceSql = "SELECT ID AS CODE, NAME FROM S_ITEMS ORDER BY ID";
    loop.clearTables = {"T_ITEMS"};
    loop.targetTable = "T_ITEMS";
    loop.insertSql = "INSERT INTO T_ITEMS (CODE, NAME) VALUES (:CODE, :NAME)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODE").setText(StrZero(src.field("CODE").asText(), 5));
        dst.param("NAME").setText(src.field("NAME").asText());
        return RowDecision::Write();
    };
    loop.sourceKey = {"CODE"};
    loop.rowName = NamedBy("Item", "NAME");
    return loop;
}

}  // namespace conversor::testing
