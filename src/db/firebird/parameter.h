#pragma once
// The value bound to one named parameter of a statement.
#include <string>

#include "db/firebird/date_time.h"

namespace conversor {

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
    std::string text_;
    long long integer_ = 0;
    double float_ = 0;
    DateTime date_;
};

}  // namespace conversor
