#include "store/Field.h"

#include "store/ProgramError.h"
#include "store/RecordSet.h"
#include "store/Text.h"

#include <cmath>
#include <limits>

namespace {

bool isIntegerType(FieldType type)
{
    return type == FieldType::LongInteger || type == FieldType::Short || type == FieldType::AutoIncrement
        || type == FieldType::Logical;
}

} // namespace

FieldSpec FieldSpec::data(std::string name)
{
    FieldSpec declared;
    declared.name = std::move(name);
    return declared;
}

FieldSpec FieldSpec::lookup(std::string name, std::string keyField, RecordSet& source, std::string sourceKey,
                            std::string result, int size)
{
    FieldSpec declared;
    declared.name = std::move(name);
    declared.kind = FieldKind::Lookup;
    declared.type = FieldType::Alpha;
    declared.size = size;
    declared.keyField = std::move(keyField);
    declared.lookupSet = &source;
    declared.lookupKey = std::move(sourceKey);
    declared.lookupResult = std::move(result);
    return declared;
}

FieldSpec FieldSpec::calculated(std::string name, FieldType type, int size)
{
    FieldSpec declared;
    declared.name = std::move(name);
    declared.kind = FieldKind::Calculated;
    declared.type = type;
    declared.size = size;
    return declared;
}

Field::Field(RecordSet& set, FieldSpec declared, int index, int storedColumn)
    : set_(set), spec_(std::move(declared)), index_(index), storedColumn_(storedColumn)
{
}

bool Field::isNumeric() const
{
    return spec_.type != FieldType::Alpha && spec_.type != FieldType::Memo;
}

int Field::displayWidth() const
{
    if (spec_.width > 0)
        return spec_.width;
    if (spec_.type == FieldType::Alpha && spec_.size > 0)
        return spec_.size;
    return std::max<int>(10, static_cast<int>(displayLabel().size()));
}

Value Field::value() const { return set_.fieldValue(*this); }
bool Field::isNull() const { return ::isNull(value()); }
std::string Field::asString() const { return textOf(value()); }
std::string Field::displayText() const { return displayTextOf(value()); }

std::int64_t Field::asInteger() const
{
    const Value v = convert(value());
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i;
    if (const auto* d = std::get_if<double>(&v))
        return std::llround(*d);
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (const auto parsed = parseWholeNumber(*s))
            return *parsed;
        throw ProgramError("'" + *s + "' is not a valid integer value");
    }
    return 0;
}

double Field::asFloat() const
{
    const Value v = value();
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (const auto parsed = parseNumber(*s))
            return *parsed;
        throw ProgramError("'" + *s + "' is not a valid floating point value");
    }
    return 0;
}

bool Field::asBoolean() const
{
    const Value v = value();
    if (const auto* s = std::get_if<std::string>(&v))
        return *s == "True" || *s == "true" || *s == "1";
    return asFloat() != 0;
}

void Field::setValue(const Value& value) { set_.setFieldValue(*this, convert(value)); }
void Field::setAsString(const std::string& text) { setValue(Value(text)); }
void Field::setAsInteger(std::int64_t value) { setValue(Value(value)); }
void Field::setAsFloat(double value) { setValue(Value(value)); }
void Field::setAsBoolean(bool value) { setValue(Value(std::int64_t(value ? 1 : 0))); }
void Field::clear() { setValue(Value()); }

Value Field::convert(const Value& value) const
{
    if (::isNull(value))
        return value;
    const FieldType type = spec_.type;
    if (type == FieldType::Alpha || type == FieldType::Memo) {
        std::string text = textOf(value);
        if (type == FieldType::Alpha && spec_.size > 0)
            text = utf8Prefix(text, static_cast<std::size_t>(spec_.size));
        return text;
    }
    double number = 0;
    if (const auto* s = std::get_if<std::string>(&value)) {
        const std::string text = trimmed(*s);
        if (text.empty())
            return Value();
        if (type == FieldType::Logical && (text == "True" || text == "False"))
            return Value(std::int64_t(text == "True"));
        const auto parsed = parseNumber(text);
        if (!parsed)
            throw ProgramError("'" + *s + "' is not a valid " + (isIntegerType(type) ? "integer" : "floating point")
                               + " value for field '" + spec_.name + "'");
        number = *parsed;
    } else if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (!isIntegerType(type))
            return static_cast<double>(*i);
        number = static_cast<double>(*i);
    } else {
        number = std::get<double>(value);
    }
    // No path may store inf or NaN: every total and label built on it would be lost.
    if (!std::isfinite(number))
        throw ProgramError("Value out of range for field '" + spec_.name + "'");
    if (!isIntegerType(type))
        return number;
    const double rounded = std::nearbyint(number);
    const double limit = type == FieldType::Short ? 32767.0 : 2147483647.0;
    if (rounded > limit || rounded < -limit - 1)
        throw ProgramError(numberText(number) + " is out of range for field '" + spec_.name + "'");
    return static_cast<std::int64_t>(rounded);
}

std::string Field::textOf(const Value& value) const
{
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (spec_.type == FieldType::Logical)
            return *i ? "True" : "False";
        return std::to_string(*i);
    }
    if (const auto* d = std::get_if<double>(&value))
        return numberText(*d);
    return {};
}

std::string Field::displayTextOf(const Value& value) const
{
    if (!spec_.format.empty() && !::isNull(value) && !std::holds_alternative<std::string>(value))
        return formatNumber(std::holds_alternative<double>(value) ? std::get<double>(value)
                                                                  : static_cast<double>(std::get<std::int64_t>(value)),
                            spec_.format);
    return textOf(value);
}

void Field::rebind(const Field& other)
{
    spec_ = other.spec_;
    storedColumn_ = other.storedColumn_;
}
