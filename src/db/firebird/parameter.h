#pragma once
// The value bound to one named parameter of a statement.
#include <string>
#include <string_view>

#include "db/firebird/date_time.h"

namespace conversor {

class Parameter {
public:
    enum class Kind { Unset, Null, Text, Integer, Float, Date, Blob };

    void setText(std::string value);
    // The first n characters of value ("first n" of a mapping), remembering
    // whether that cut anything off, for the run's count of cut values.
    void setFirst(std::string_view value, std::size_t n);
    void setInt(long long value);
    void setDouble(double value);
    void setDate(DateTime value);  // the day only
    void setBlob(std::string value);
    void setNull();

    Kind kind() const { return kind_; }
    bool wasCut() const { return cut_; }  // the value was bound by setFirst and cut
    const std::string& name() const { return *name_; }
    std::string asText() const;  // null and unset read as an empty text

    // The value's bytes as they travel, for texts and blobs.
    const std::string& bytes() const { return text_; }
    long long integer() const { return integer_; }
    double number() const { return float_; }
    DateTime date() const { return date_; }

private:
    friend class Statement;
    const std::string* name_ = nullptr;  // owned by the statement's text shape
    Kind kind_ = Kind::Unset;
    bool cut_ = false;
    std::string text_;
    long long integer_ = 0;
    double float_ = 0;
    DateTime date_;
};

}  // namespace conversor
