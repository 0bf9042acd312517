#include "store/DataSource.h"

#include "store/RecordSet.h"

#include <algorithm>

DataSource::DataSource(std::string name, RecordSet* set) : name_(std::move(name))
{
    setDataSet(set);
}

DataSource::~DataSource()
{
    if (set_)
        set_->detachSource(this);
    for (RecordSet* detail : details_)
        detail->masterGone();
}

void DataSource::dataSetGone()
{
    set_ = nullptr;
}

void DataSource::setDataSet(RecordSet* set)
{
    if (set == set_)
        return;
    if (set_)
        set_->detachSource(this);
    set_ = set;
    if (set_)
        set_->attachSource(this);
    notify(DataChange::Reloaded, nullptr);
}

int DataSource::addListener(Listener listener)
{
    listeners_.emplace_back(nextListenerId_, std::make_shared<Listener>(std::move(listener)));
    return nextListenerId_++;
}

void DataSource::removeListener(int id)
{
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void DataSource::addDetail(RecordSet* detail)
{
    details_.push_back(detail);
}

void DataSource::removeDetail(RecordSet* detail)
{
    std::erase(details_, detail);
}

void DataSource::notify(DataChange change, Field* field)
{
    // Copies: a handler may add or remove listeners, or switch other sources. Most
    // sources have none of either, and then nothing is copied.
    if (!details_.empty()) {
        const auto details = details_;
        for (RecordSet* detail : details)
            detail->masterChanged(change);
    }
    if (!listeners_.empty()) {
        const auto listeners = listeners_;
        for (const auto& entry : listeners)
            (*entry.second)(change, field);
    }
    if (onDataChange && change != DataChange::StateChanged)
        onDataChange(*this, field);
}
