#pragma once
// Private to the database layer: what a statement text and its prepared form
// look like, worked out once per connection and shared by every Statement
// that uses the same text. A converter switches one statement among several
// texts for every row, and each lookup is a Statement of its own: without
// this, each would parse its text and describe its messages to the engine
// again, which costs more than the engine's own work for a row.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/firebird/named_params.h"

namespace Firebird {
class IMessageMetadata;
class IStatement;
class ThrowStatusWrapper;
}  // namespace Firebird

namespace conversor {

// The type a value is sent with, and the room a text gets in the message.
struct SlotType {
    unsigned type = 0;
    unsigned length = 0;
    bool operator==(const SlotType&) const = default;
};

// An input message for one combination of value types.
struct InputLayout {
    std::vector<SlotType> types;
    Firebird::IMessageMetadata* meta = nullptr;
    std::vector<unsigned> offsets, nullOffsets;
    unsigned length = 0;

    InputLayout() = default;
    InputLayout(const InputLayout&) = delete;
    InputLayout& operator=(const InputLayout&) = delete;
    ~InputLayout();
};

std::shared_ptr<const InputLayout> BuildInputLayout(const std::vector<SlotType>& types);

// A text with its named parameters resolved.
struct TextShape {
    ParsedStatement parsed;
    NameIndex names;              // a name, without regard to case -> its index in parsed.names
    std::vector<unsigned> rooms;  // for each marker, the room texts bound there have needed so far
    std::shared_ptr<const InputLayout> layout;  // the last input message built for this text
};

std::shared_ptr<TextShape> MakeTextShape(std::string_view text);

struct OutputColumn {
    std::string name;
    unsigned type = 0;
    int subType = 0;
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

// The row a prepared statement returns (no columns for one that returns none).
struct OutputShape {
    Firebird::IMessageMetadata* meta = nullptr;
    std::vector<OutputColumn> columns;
    NameIndex index;
    unsigned length = 0;

    OutputShape() = default;
    OutputShape(const OutputShape&) = delete;
    OutputShape& operator=(const OutputShape&) = delete;
    ~OutputShape();
};

std::shared_ptr<const OutputShape> DescribeOutput(Firebird::IStatement* stmt, Firebird::ThrowStatusWrapper& st);

}  // namespace conversor
