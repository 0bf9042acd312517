#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Field;
class RecordSet;

enum class DataChange {
    RowMoved,     // another row became current
    RowChanged,   // the current row's values changed (a field write, post, cancel)
    Reloaded,     // the rows were read again or the set was switched, opened or closed
    StateChanged, // browse / edit / insert changed
};

// Links a record set to controls and detail sets. Notifications run synchronously
// inside the operation that raises them: detail sets first, then listeners in the
// order they were added, then the component's own data-change handler.
class DataSource {
public:
    explicit DataSource(std::string name, RecordSet* set = nullptr);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& name() const { return name_; }
    RecordSet* dataSet() const { return set_; }
    // Points the source at another set (or none); its details and listeners follow.
    void setDataSet(RecordSet* set);

    // The component's data-change handler: runs for RowMoved, RowChanged and Reloaded.
    std::function<void(DataSource&, Field*)> onDataChange;

    using Listener = std::function<void(DataChange, Field*)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // Called by the record set it points at.
    void notify(DataChange change, Field* field);
    // Called by detail sets linking to this source.
    void addDetail(RecordSet* detail);
    void removeDetail(RecordSet* detail);
    void dataSetGone(); // the set is being destroyed: forget it without notifying

private:
    std::string name_;
    RecordSet* set_ = nullptr;
    std::vector<RecordSet*> details_;
    // Shared, so that a notification can hold on to the listeners it calls while
    // they add or remove listeners, without copying each one.
    std::vector<std::pair<int, std::shared_ptr<Listener>>> listeners_;
    int nextListenerId_ = 1;
};
