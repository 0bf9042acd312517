#pragma once

#include "store/TableDefinitions.h"
#include "store/Value.h"

#include <string>

class RecordSet;

enum class FieldKind { Data, Lookup, Calculated };

// How a record set declares one of its fields.
struct FieldSpec {
    std::string name;
    FieldKind kind = FieldKind::Data;
    FieldType type = FieldType::Alpha; // lookup and calculated fields only; data fields take the stored type
    int size = 0;
    std::string label;  // display label; the field name when empty
    int width = 0;      // display width in characters; 0: from the size
    std::string format; // display format of a number, e.g. "#.##"
    bool readOnly = false;
    // Lookup: the row of `lookupSet` whose `lookupKey` equals this row's `keyField` gives `lookupResult`.
    std::string keyField;
    RecordSet* lookupSet = nullptr;
    std::string lookupKey;
    std::string lookupResult;

    static FieldSpec data(std::string name);
    static FieldSpec lookup(std::string name, std::string keyField, RecordSet& source, std::string sourceKey,
                            std::string result, int size = 0);
    static FieldSpec calculated(std::string name, FieldType type, int size = 0);

    FieldSpec& withLabel(std::string text) { label = std::move(text); return *this; }
    FieldSpec& withWidth(int characters) { width = characters; return *this; }
    FieldSpec& withFormat(std::string displayFormat) { format = std::move(displayFormat); return *this; }
    FieldSpec& withSize(int characters) { size = characters; return *this; }
    FieldSpec& asReadOnly() { readOnly = true; return *this; }
};

// A field of an open record set. Reads and writes go to the set's current row
// (inside a calculated-field handler: the row being calculated). Writes are
// allowed only while the set is in edit or insert state (calculated fields: only
// inside the handler).
class Field {
public:
    Field(RecordSet& set, FieldSpec declared, int index, int storedColumn);

    const std::string& fieldName() const { return spec_.name; }
    FieldKind kind() const { return spec_.kind; }
    FieldType dataType() const { return spec_.type; }
    int size() const { return spec_.size; }
    bool isNumeric() const;
    const std::string& displayLabel() const { return spec_.label.empty() ? spec_.name : spec_.label; }
    int displayWidth() const;
    const std::string& displayFormat() const { return spec_.format; }
    bool readOnly() const { return spec_.readOnly || spec_.kind == FieldKind::Lookup || spec_.type == FieldType::AutoIncrement; }
    const FieldSpec& declaration() const { return spec_; }
    int index() const { return index_; }
    int storedColumn() const { return storedColumn_; } // -1 for lookup and calculated fields
    RecordSet& recordSet() const { return set_; }

    Value value() const;
    bool isNull() const;
    std::string asString() const;
    std::int64_t asInteger() const; // numbers are rounded; empty reads as 0
    double asFloat() const;         // empty reads as 0
    bool asBoolean() const;
    std::string displayText() const; // as a grid shows it: with the display format

    void setValue(const Value& value);
    void setAsString(const std::string& text); // converted to the field's type; refused if it does not convert
    void setAsInteger(std::int64_t value);
    void setAsFloat(double value);
    void setAsBoolean(bool value);
    void clear();

    // Conversions shared with the record set's row access.
    Value convert(const Value& value) const; // to this field's type; throws ProgramError
    std::string textOf(const Value& value) const;
    std::string displayTextOf(const Value& value) const;

    // Takes the resolved declaration and column of `other`, a field of the same name made
    // when the set reopened (a query whose statement lists its columns in another order).
    void rebind(const Field& other);

private:
    RecordSet& set_;
    FieldSpec spec_;
    int index_;
    int storedColumn_;
};
