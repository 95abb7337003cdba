#pragma once
// The input message of one execution: each value's slot type chosen, the
// layout (kept per text, so it is built again only when a type or a text's
// room changes), the values encoded and large blobs written beforehand.
#include <memory>
#include <vector>

#include "db/firebird/parameter.h"
#include "db/firebird/statement_shape.h"

namespace Firebird {
class ITransaction;
class IMessageMetadata;
}  // namespace Firebird

namespace conversor {

class Connection;

class InputMessage {
public:
    // Blobs too long to travel as texts are created in `tra`.
    void build(Connection& cn, Firebird::ITransaction* tra, const std::vector<Parameter>& params, TextShape& shape);

    Firebird::IMessageMetadata* meta() const { return layout_ ? layout_->meta : nullptr; }
    unsigned char* data() { return buffer_.empty() ? nullptr : buffer_.data(); }

private:
    std::shared_ptr<const InputLayout> layout_;
    std::vector<SlotType> types_;  // scratch: the types of the values being sent
    std::vector<unsigned char> buffer_;
};

}  // namespace conversor
