#include "floors.h"

#include <firebird/Interface.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

#include "db/firebird/connection.h"
#include "db/firebird/error.h"
#include "db/firebird/ref.h"

namespace conversor::bench {

using namespace Firebird;

namespace {
// The scratch table: a key, then the texts, the numbers and the dates of a
// row as wide as the run's.
struct FloorTable {
    std::string create, insert;
};

FloorTable floorTable(const RowShape& shape) {
    std::string columns = "ID INTEGER NOT NULL PRIMARY KEY", names = "ID", markers = "?";
    auto add = [&](const std::string& name, const char* type) {
        columns += ", " + name + " " + type;
        names += ", " + name;
        markers += ", ?";
    };
    for (int i = 1; i <= shape.texts; ++i) add("T" + std::to_string(i), "VARCHAR(60)");
    for (int i = 2; i <= shape.numbers; ++i) add("N" + std::to_string(i), "DOUBLE PRECISION");
    for (int i = 1; i <= shape.dates; ++i) add("D" + std::to_string(i), "TIMESTAMP");
    return {"CREATE TABLE FLOOR_ROWS (" + columns + ")", "INSERT INTO FLOOR_ROWS (" + names + ") VALUES (" + markers + ")"};
}

void putText(unsigned char* buffer, unsigned offset, const std::string& text) {
    const auto len = static_cast<unsigned short>(text.size());
    std::memcpy(buffer + offset, &len, sizeof len);
    std::memcpy(buffer + offset + sizeof len, text.data(), len);
}

template <typename T>
void putValue(unsigned char* buffer, unsigned offset, T value) {
    std::memcpy(buffer + offset, &value, sizeof value);
}
}  // namespace

Floor MeasureFloor(const std::string& path, long long rows, int rowsPerCommit, const RowShape& shape) {
    const FloorTable table = floorTable(shape);
    std::filesystem::remove(path);
    Connection::CreateDatabase(path, 1, true);
    {
        ConnectionOptions o;
        o.dialect = 1;
        Connection cn(o);
        cn.setDatabase(path);
        cn.open();
        cn.executeImmediate(table.create);
    }

    IMaster* master = fb_get_master_interface();
    // Every interface, the status too, is owned and let go of on every path.
    fb::Ref<IStatus> statusHandle(master->getStatus());
    ThrowStatusWrapper status(statusHandle.get());
    fb::Ref<IProvider> provider(master->getDispatcher());
    Floor floor;
    try {
        fb::Ref<IXpbBuilder> dpb(master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0));
        dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&status, isc_dpb_password, "quendalor");
        dpb->insertInt(&status, isc_dpb_sql_dialect, 1);
        fb::Ref<IAttachment> att(
            provider->attachDatabase(&status, path.c_str(), dpb->getBufferLength(&status), dpb->getBuffer(&status)));

        fb::Ref<ITransaction> tra(att->startTransaction(&status, 0, nullptr));
        fb::Ref<IStatement> stmt(att->prepare(&status, tra.get(), 0, table.insert.c_str(), 1,
                                              IStatement::PREPARE_PREFETCH_METADATA));
        tra->commit(&status);
        tra.forget();
        fb::Ref<IMessageMetadata> meta(stmt->getInputMetadata(&status));
        const unsigned count = meta->getCount(&status);
        std::vector<unsigned char> buffer(meta->getMessageLength(&status), 0);
        std::vector<unsigned> offsets(count);
        for (unsigned i = 0; i < count; ++i) {
            offsets[i] = meta->getOffset(&status, i);
            const short notNull = 0;
            std::memcpy(buffer.data() + meta->getNullOffset(&status, i), &notNull, sizeof notNull);
        }
        // The texts of a customer's row, in turn.
        const std::string texts[] = {"MARIA APARECIDA DOS SANTOS OLIVEIRA", "RUA 15 DE NOVEMBRO, 230 APTO 5",
                                     "BELO HORIZONTE", "CENTRO"};
        const auto firstNumber = 1 + static_cast<unsigned>(shape.texts);
        const auto firstDate = static_cast<unsigned>(shape.texts + shape.numbers);

        const auto start = std::chrono::steady_clock::now();
        for (long long r = 1; r <= rows; ++r) {
            if (!tra) tra = fb::Ref<ITransaction>(att->startTransaction(&status, 0, nullptr));
            putValue<int>(buffer.data(), offsets[0], static_cast<int>(r));
            for (unsigned i = 1; i < firstNumber; ++i)
                putText(buffer.data(), offsets[i], i == 1 ? std::to_string(10000000 + r % 10000000) : texts[i % 4]);
            for (unsigned i = firstNumber; i < firstDate; ++i)
                putValue<double>(buffer.data(), offsets[i], static_cast<double>(r) * 1.25 + i);
            for (unsigned i = firstDate; i < count; ++i)
                putValue<ISC_TIMESTAMP>(buffer.data(), offsets[i], ISC_TIMESTAMP{60000 + static_cast<int>(i), 0});
            stmt->execute(&status, tra.get(), meta.get(), buffer.data(), nullptr, nullptr);
            if (r % rowsPerCommit == 0 || r == rows) {
                tra->commit(&status);
                tra.forget();
            }
        }
        floor.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        floor.rows = rows;
        stmt->free(&status);
        stmt.forget();
        att->detach(&status);
        att.forget();
    } catch (const FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        throw DbError(text);
    }
    return floor;
}

}  // namespace conversor::bench
