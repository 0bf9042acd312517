#include "store/RecordSet.h"

#include "store/ProgramError.h"

// Master/detail: a detail shows the rows whose link field equals its master's
// current key, and re-reads when the master moves.

void RecordSet::setMaster(DataSource& master, const std::string& linkField, const std::string& masterField)
{
    if (master_)
        master_->removeDetail(this);
    master_ = &master;
    linkField_ = linkField;
    masterField_ = masterField.empty() ? linkField : masterField;
    master.addDetail(this);
}

void RecordSet::masterGone()
{
    master_ = nullptr;
}

std::optional<Value> RecordSet::currentMasterKey() const
{
    if (!master_)
        return std::nullopt;
    RecordSet* masterSet = master_->dataSet();
    if (!masterSet || !masterSet->active())
        return Value();
    Field* field = masterSet->findField(masterField_);
    if (!field)
        throw ProgramError("Field '" + masterField_ + "' not found in " + masterSet->name());
    return field->value();
}

bool RecordSet::inRange(const Row& row, const std::optional<Value>& masterKey) const
{
    return !masterKey || sameValue(row.values[static_cast<std::size_t>(linkColumn_)], *masterKey);
}

void RecordSet::masterChanged(DataChange change)
{
    if (!active() || change == DataChange::StateChanged)
        return;
    const auto key = currentMasterKey();
    const bool sameKey = loadedMasterKey_ && key && sameValue(*loadedMasterKey_, *key);
    if (change == DataChange::RowChanged && sameKey)
        return;
    postIfEditing();
    // A master that re-read but stands on the key these rows were read for leaves
    // them the right rows: only their calculated fields may follow the master.
    if (sameKey && !reloading_ && sourceVersion() == loadedVersion_) {
        for (auto& row : rows_)
            calculate(row);
        cursor_ = rows_.empty() ? -1 : 0;
        bof_ = true;
        eof_ = rows_.empty();
        changed();
        notify(DataChange::Reloaded);
        return;
    }
    reload(false);
}
