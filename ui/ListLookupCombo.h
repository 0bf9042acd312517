#pragma once

#include "store/Value.h"
#include "ui/DataControls.h"

#include <QComboBox>

#include <string>
#include <vector>

// A drop-down list of a set's ListField that writes into no field: choosing an
// entry makes its row the set's current one. The entry stays chosen, by its
// KeyField value, while other code moves the set, and follows its row when the
// set is re-read (a renamed entry shows its new text; a removed one is unchosen).
class TListLookupComboBox : public QComboBox {
public:
    explicit TListLookupComboBox(QWidget* parent = nullptr);

    void SetListSource(DataSource* source);
    void SetKeyField(const std::string& name);
    void SetListField(const std::string& name);

    // The chosen entry's key; empty while nothing is chosen.
    const Value& KeyValue() const { return chosenKey_; }
    // Chooses the entry with this key, as the user would (the set moves to it).
    void SetKeyValue(const Value& key);

private:
    void fill();
    void chosen(int index);
    int indexOf(const Value& key) const;

    FieldLink list_;
    std::string keyField_;
    std::string listField_;
    std::vector<Value> keys_;
    Value chosenKey_;
    bool filling_ = false;
};
