#include "db/firebird/statement_shape.h"

#include "db/firebird/fb_api.h"

namespace conversor {

using namespace Firebird;

namespace {
// The metadata a shape was built with is the shape's own.
void release(IMessageMetadata* meta) { fb::Ref<IMessageMetadata> owned(meta); }
}  // namespace

InputLayout::~InputLayout() { release(meta); }
OutputShape::~OutputShape() { release(meta); }

std::shared_ptr<const InputLayout> BuildInputLayout(const std::vector<SlotType>& types) {
    fb::Ref<IStatus> status(fb::Master()->getStatus());
    ThrowStatusWrapper st(status.get());
    auto layout = std::make_shared<InputLayout>();
    layout->types = types;
    const auto n = static_cast<unsigned>(types.size());
    fb::Guard([&] {
        fb::Ref<IMetadataBuilder> builder(fb::Master()->getMetadataBuilder(&st, n));
        for (unsigned i = 0; i < n; ++i) {
            builder->setType(&st, i, types[i].type + 1);
            builder->setLength(&st, i, types[i].length);
            builder->setScale(&st, i, 0);
            if (types[i].type == SQL_VARYING || types[i].type == SQL_BLOB) builder->setCharSet(&st, i, 0);
            if (types[i].type == SQL_BLOB) builder->setSubType(&st, i, 1);
        }
        layout->meta = builder->getMetadata(&st);
        layout->offsets.resize(n);
        layout->nullOffsets.resize(n);
        for (unsigned i = 0; i < n; ++i) {
            layout->offsets[i] = layout->meta->getOffset(&st, i);
            layout->nullOffsets[i] = layout->meta->getNullOffset(&st, i);
        }
        layout->length = layout->meta->getMessageLength(&st);
    });
    return layout;
}

std::shared_ptr<TextShape> MakeTextShape(std::string_view text) {
    auto shape = std::make_shared<TextShape>();
    shape->parsed = ParseNamedParameters(text);
    for (unsigned i = 0; i < shape->parsed.names.size(); ++i) shape->names.add(shape->parsed.names[i], i);
    shape->rooms.assign(shape->parsed.positions.size(), 0);
    return shape;
}

std::shared_ptr<const OutputShape> DescribeOutput(IStatement* stmt, ThrowStatusWrapper& st) {
    auto shape = std::make_shared<OutputShape>();
    fb::Guard([&] {
        shape->meta = stmt->getOutputMetadata(&st);
        const unsigned count = shape->meta->getCount(&st);
        shape->columns.resize(count);
        for (unsigned i = 0; i < count; ++i) {
            OutputColumn& c = shape->columns[i];
            c.name = shape->meta->getAlias(&st, i);
            c.type = shape->meta->getType(&st, i) & ~1u;
            c.subType = shape->meta->getSubType(&st, i);
            c.scale = shape->meta->getScale(&st, i);
            c.length = shape->meta->getLength(&st, i);
            c.offset = shape->meta->getOffset(&st, i);
            c.nullOffset = shape->meta->getNullOffset(&st, i);
            shape->index.add(c.name, i);
        }
        shape->length = shape->meta->getMessageLength(&st);
    });
    return shape;
}

}  // namespace conversor
