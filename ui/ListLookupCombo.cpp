#include "ui/ListLookupCombo.h"

#include "store/RecordSet.h"
#include "ui/ErrorGuard.h"

TListLookupComboBox::TListLookupComboBox(QWidget* parent)
    : QComboBox(parent), list_([this](DataChange change, Field*) {
          // Moves of the set are other code's business: the choice stays.
          if (change == DataChange::Reloaded || change == DataChange::RowChanged)
              fill();
      })
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void TListLookupComboBox::SetListSource(DataSource* source)
{
    list_.SetDataSource(source);
    fill();
}

void TListLookupComboBox::SetKeyField(const std::string& name)
{
    keyField_ = name;
    fill();
}

void TListLookupComboBox::SetListField(const std::string& name)
{
    listField_ = name;
    fill();
}

void TListLookupComboBox::SetKeyValue(const Value& key)
{
    const int index = indexOf(key);
    filling_ = true;
    setCurrentIndex(index);
    filling_ = false;
    chosen(index);
}

int TListLookupComboBox::indexOf(const Value& key) const
{
    if (isNull(key))
        return -1;
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (sameValue(keys_[i], key))
            return static_cast<int>(i);
    return -1;
}

void TListLookupComboBox::fill()
{
    filling_ = true;
    clear();
    keys_.clear();
    RecordSet* set = list_.dataSet();
    Field* key = set && set->active() ? set->findField(keyField_) : nullptr;
    Field* shown = set && set->active() ? set->findField(listField_) : nullptr;
    if (key && shown) {
        const int rows = set->recordCount();
        for (int row = 0; row < rows; ++row) {
            keys_.push_back(set->valueAt(row, *key));
            addItem(QString::fromStdString(set->displayTextAt(row, *shown)));
        }
    }
    const int index = indexOf(chosenKey_);
    if (index < 0)
        chosenKey_ = Value();
    setCurrentIndex(index);
    filling_ = false;
}

void TListLookupComboBox::chosen(int index)
{
    if (filling_)
        return;
    if (index < 0 || index >= static_cast<int>(keys_.size())) {
        chosenKey_ = Value();
        return;
    }
    chosenKey_ = keys_[static_cast<std::size_t>(index)];
    RecordSet* set = list_.dataSet();
    if (set && set->active())
        guarded([&] { set->locate(keyField_, chosenKey_); });
}
