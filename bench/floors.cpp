#include "floors.h"

#include <firebird/Interface.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

#include "db/connection.h"
#include "db/error.h"

namespace conversor::bench {

using namespace Firebird;

namespace {
// A row of a registry: a code, a name, an address, a city, an amount, a date.
constexpr const char* kTable =
    "CREATE TABLE FLOOR_ROWS (ID INTEGER NOT NULL PRIMARY KEY, CODIGO VARCHAR(8), NOME VARCHAR(60), "
    "ENDERECO VARCHAR(60), CIDADE VARCHAR(40), VALOR DOUBLE PRECISION, DATA TIMESTAMP)";
constexpr const char* kInsert =
    "INSERT INTO FLOOR_ROWS (ID, CODIGO, NOME, ENDERECO, CIDADE, VALOR, DATA) VALUES (?, ?, ?, ?, ?, ?, ?)";

void putText(unsigned char* buffer, IMessageMetadata* meta, ThrowStatusWrapper* st, unsigned i, const std::string& text) {
    const unsigned offset = meta->getOffset(st, i);
    const auto len = static_cast<unsigned short>(text.size());
    std::memcpy(buffer + offset, &len, sizeof len);
    std::memcpy(buffer + offset + sizeof len, text.data(), len);
}

template <typename T>
void putValue(unsigned char* buffer, IMessageMetadata* meta, ThrowStatusWrapper* st, unsigned i, T value) {
    std::memcpy(buffer + meta->getOffset(st, i), &value, sizeof value);
}
}  // namespace

Floor MeasureFloor(const std::string& path, long long rows, int rowsPerCommit) {
    std::filesystem::remove(path);
    Connection::CreateDatabase(path, 1, true);
    {
        ConnectionOptions o;
        o.dialect = 1;
        Connection cn(o);
        cn.setDatabase(path);
        cn.open();
        cn.executeImmediate(kTable);
    }

    IMaster* master = fb_get_master_interface();
    ThrowStatusWrapper status(master->getStatus());
    IProvider* provider = master->getDispatcher();
    IAttachment* att = nullptr;
    IStatement* stmt = nullptr;
    IMessageMetadata* meta = nullptr;
    Floor floor;
    try {
        IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&status, isc_dpb_password, "quendalor");
        dpb->insertInt(&status, isc_dpb_sql_dialect, 1);
        att = provider->attachDatabase(&status, path.c_str(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        dpb->dispose();

        ITransaction* tra = att->startTransaction(&status, 0, nullptr);
        stmt = att->prepare(&status, tra, 0, kInsert, 1, IStatement::PREPARE_PREFETCH_METADATA);
        tra->commit(&status);
        meta = stmt->getInputMetadata(&status);
        std::vector<unsigned char> buffer(meta->getMessageLength(&status), 0);
        for (unsigned i = 0; i < meta->getCount(&status); ++i) {
            const short notNull = 0;
            std::memcpy(buffer.data() + meta->getNullOffset(&status, i), &notNull, sizeof notNull);
        }
        const std::string name = "MARIA APARECIDA DOS SANTOS OLIVEIRA";
        const std::string address = "RUA 15 DE NOVEMBRO, 230 APTO 5";
        const std::string city = "BELO HORIZONTE";

        const auto start = std::chrono::steady_clock::now();
        tra = nullptr;
        for (long long r = 1; r <= rows; ++r) {
            if (!tra) tra = att->startTransaction(&status, 0, nullptr);
            putValue<int>(buffer.data(), meta, &status, 0, static_cast<int>(r));
            putText(buffer.data(), meta, &status, 1, std::to_string(10000000 + r % 10000000).substr(0, 8));
            putText(buffer.data(), meta, &status, 2, name);
            putText(buffer.data(), meta, &status, 3, address);
            putText(buffer.data(), meta, &status, 4, city);
            putValue<double>(buffer.data(), meta, &status, 5, static_cast<double>(r) * 1.25);
            putValue<ISC_TIMESTAMP>(buffer.data(), meta, &status, 6, ISC_TIMESTAMP{60000, 0});
            stmt->execute(&status, tra, meta, buffer.data(), nullptr, nullptr);
            if (r % rowsPerCommit == 0 || r == rows) {
                tra->commit(&status);
                tra = nullptr;
            }
        }
        floor.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        floor.rows = rows;
        meta->release();
        stmt->free(&status);
        att->detach(&status);
    } catch (const FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        if (meta) meta->release();
        if (att) att->release();
        provider->release();
        status.dispose();
        throw DbError(text);
    }
    provider->release();
    status.dispose();
    return floor;
}

}  // namespace conversor::bench
