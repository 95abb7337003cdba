#pragma once
// A statement with named parameters over one connection, the way every
// converter reads its source and writes its target. The prepared form is
// kept per text by the connection, so setting the same text again costs
// nothing; parameter values survive a new text when the name reappears.
#include <string>
#include <string_view>
#include <vector>

#include "db/date_time.h"
#include "db/named_params.h"

namespace Firebird {
class IStatement;
class IResultSet;
class ITransaction;
class IMessageMetadata;
}  // namespace Firebird

namespace conversor {

class Connection;
class Statement;

class Parameter {
public:
    enum class Kind { Unset, Null, Text, Integer, Float, Date, Blob };

    void setText(std::string value);
    void setInt(long long value);
    void setDouble(double value);
    void setDate(DateTime value);  // the day only
    void setBlob(std::string value);
    void setNull();

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    std::string asText() const;  // null and unset read as an empty text

private:
    friend class Statement;
    std::string name_;
    Kind kind_ = Kind::Unset;
    std::string text_;
    long long integer_ = 0;
    double float_ = 0;
    DateTime date_;
};

// A column of the current row. Null reads as an empty text, as 0, or as day
// zero (30 December 1899); fixed-width texts keep their trailing blanks.
class Field {
public:
    bool isNull() const;
    std::string asText() const;
    long long asInt() const;
    double asDouble() const;
    DateTime asDateTime() const;

private:
    friend class Statement;
    Field(const Statement& st, unsigned index) : st_(&st), index_(index) {}
    const Statement* st_;
    unsigned index_;
};

class Statement {
public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Connection& connection() const { return *cn_; }

    // Closes the statement and replaces its text; see the header comment for
    // what happens to parameter values.
    void setText(std::string_view text);
    void clearText() { setText({}); }
    void addLine(std::string_view line);
    const std::string& text() const { return text_; }

    Parameter& param(std::string_view name);  // DbError when the text has none
    bool hasParam(std::string_view name) const;
    const std::vector<Parameter>& params() const { return params_; }

    void open();  // runs a selection and stands on its first row
    bool isOpen() const { return cursor_ != nullptr; }
    bool eof() const { return eof_; }
    bool isEmpty() const { return bof_ && eof_; }
    void next();
    long long rowCount();  // rows the open selection yields, known before the first is read

    Field field(std::string_view name) const;  // DbError when there is no such column
    bool hasField(std::string_view name) const;
    std::size_t fieldCount() const { return columns_.size(); }
    Field field(std::size_t index) const { return Field(*this, static_cast<unsigned>(index)); }
    std::vector<std::string> rowTexts() const;  // every column of the current row as text

    void execute();  // a statement that returns no rows
    void close();

    // --- for Connection ---
    void transactionEnding(Firebird::ITransaction* tra);
    void connectionClosing();
    void forgetConnection() { cn_ = nullptr; }

private:
    friend class Field;
    struct Column {
        std::string name;
        unsigned type = 0;
        int subType = 0;
        int scale = 0;
        unsigned length = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
    };
    struct SlotType {
        unsigned type = 0;
        unsigned length = 0;
        bool operator==(const SlotType&) const = default;
    };

    void requireValues() const;
    Firebird::ITransaction* beginWork(bool& own);
    void prepareFor(Firebird::ITransaction* tra);
    void releasePrepared();
    void buildInput(Firebird::ITransaction* tra);
    void fetch();
    void closeCursor(bool quietly);
    std::string readBlob(const unsigned char* id) const;

    Connection* cn_;
    std::string text_;
    ParsedStatement parsed_;
    std::vector<Parameter> params_;
    NameIndex paramIndex_;

    Firebird::IStatement* prepared_ = nullptr;
    bool preparedCached_ = false;
    std::string preparedSql_;

    Firebird::IMessageMetadata* inMeta_ = nullptr;
    std::vector<SlotType> inTypes_;
    std::vector<unsigned> inOffsets_, inNullOffsets_;
    std::vector<unsigned char> inBuffer_;

    Firebird::IResultSet* cursor_ = nullptr;
    Firebird::ITransaction* cursorTra_ = nullptr;
    bool ownCursorTra_ = false;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    std::vector<Column> columns_;
    NameIndex columnIndex_;
    std::vector<unsigned char> outBuffer_;
    bool eof_ = true;
    bool bof_ = false;
    long long rowCount_ = -1;
};

}  // namespace conversor
