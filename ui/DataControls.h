#pragma once

#include "store/DataSource.h"
#include "store/Value.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

class Field;
class RecordSet;

// Data-bound controls: thin views over a DataSource. They read what the record
// set shows, write only through its fields, and follow every change it reports.
// A control's source must outlive it, or be unbound first (SetDataSource(nullptr)).

// A control's tie to one field of a source's set.
class FieldLink {
public:
    using Handler = std::function<void(DataChange, Field*)>;
    explicit FieldLink(Handler onChange);
    ~FieldLink();
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    void SetDataSource(DataSource* source);
    void SetDataField(const std::string& name);
    DataSource* DataSourceOf() const { return source_; }
    const std::string& DataField() const { return fieldName_; }

    RecordSet* dataSet() const;
    Field* field() const;  // null while unbound, closed or unknown
    bool editing() const;  // the set is in edit or insert state
    std::string text() const; // the field's text on the current row; empty without one

private:
    Handler onChange_;
    DataSource* source_ = nullptr;
    int listener_ = 0;
    std::string fieldName_;
};

// One column of a grid: a field by name, and optionally its own title and width.
struct GridColumn {
    std::string fieldName;
    QString title;  // empty: the field's display label
    int width = 0;  // pixels; 0: from the field's display width
};

// A grid over thousands of rows asks for every visible cell at each repaint, so
// the columns are resolved to their fields once, whenever the set is opened,
// reloaded or switched (reset), never per cell.
class TDBGridModel : public QAbstractTableModel {
public:
    explicit TDBGridModel(QObject* parent = nullptr);

    void setSource(DataSource* source);
    void setColumns(std::vector<GridColumn> columns);
    void setEditable(bool editable) { editable_ = editable; }
    const std::vector<GridColumn>& columns() const { return columns_; }
    Field* fieldAt(int column) const;
    // Resolves the columns again: after the set was opened, closed, reloaded or switched.
    void reset();
    void rowChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    struct Resolved {
        Field* field; // null while the set is closed or has no such field
        QString title;
    };
    void resolve();

    DataSource* source_ = nullptr;
    std::vector<GridColumn> columns_;
    std::vector<Resolved> resolved_;
    bool editable_ = false;
};

// A grid over a source's set: whole-row selection, and the selected row is the
// set's current row in both directions. Read-only unless asked.
class TDBGrid : public QTableView {
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    void SetDataSource(DataSource* source);
    DataSource* DataSourceOf() const { return link_.DataSourceOf(); }
    // Without columns the grid shows every field of the set.
    void SetColumns(std::vector<GridColumn> columns);
    void SetReadOnly(bool readOnly);
    void SetTitles(bool shown);
    void SetColors(const QColor& background, const QColor& text, const QColor& selection = {});
    TDBGridModel* Model() const { return model_; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void changed(DataChange change, Field* field);
    void applyWidths();
    void showCurrentRow();

    TDBGridModel* model_;
    FieldLink link_;
    bool following_ = false; // moving the selection because the set moved
};

// An edit box over a text or number field. It takes typing only while the set
// is in edit or insert state, and is limited to the field's size.
//
// A box over a number field stores exactly the number it shows, or nothing: a
// text that is not wholly a number ("1/2") is refused when the box is left and
// whenever its dialog goes on (OK, Next, Prev), in the words of the box's caption.
class TDBEdit : public QLineEdit {
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { link_.SetDataSource(source); refresh(); }
    void SetDataField(const std::string& name) { link_.SetDataField(name); refresh(); }
    // The box's name in the user's words ("Serves/Yeilds:"), for its messages.
    void SetCaption(const QString& caption) { caption_ = caption; }

    // False when the box is over a number field, editable, and its text is not a number.
    bool HoldsNumber() const;
    // Stores the number the box shows; when it shows none, says so, puts the focus
    // back in the box and returns false.
    bool StoreTypedNumber();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void write(bool quietly);
    bool isNumberBox() const;
    void refuseNumber();

    FieldLink link_;
    QString caption_;
    bool writing_ = false;
    bool leavingWindow_ = false; // the focus left with the window, not for another box
};

// The data-bound boxes within `area`, its pages included.
std::vector<TDBEdit*> dataEditsIn(const QWidget* area);

// The first box within `area` (its pages included) that shows no number its field
// would take; null when every box does.
TDBEdit* firstRefusedNumberBox(const QWidget* area);

// A multi-line editor over a memo field; writes like TDBEdit.
class TDBMemo : public QPlainTextEdit {
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { link_.SetDataSource(source); refresh(); }
    void SetDataField(const std::string& name) { link_.SetDataField(name); refresh(); }

private:
    void refresh();

    FieldLink link_;
    bool writing_ = false;
    bool refreshing_ = false;
};

// A read-only text showing a field as a grid would (with its display format).
class TDBText : public QLabel {
public:
    explicit TDBText(QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { link_.SetDataSource(source); refresh(); }
    void SetDataField(const std::string& name) { link_.SetDataField(name); refresh(); }

private:
    void refresh();

    FieldLink link_;
};

// A drop-down list of a lookup set's ListField; choosing an entry writes its
// KeyField value into the bound field (only while the bound set is editing).
class TDBLookupComboBox : public QComboBox {
public:
    explicit TDBLookupComboBox(QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { link_.SetDataSource(source); showValue(); }
    void SetDataField(const std::string& name) { link_.SetDataField(name); showValue(); }
    void SetListSource(DataSource* source);
    void SetKeyField(const std::string& name) { keyField_ = name; fill(); }
    void SetListField(const std::string& name) { listField_ = name; fill(); }

private:
    void fill();
    void showValue();
    void chosen(int index);

    FieldLink link_;
    FieldLink list_;
    std::string keyField_;
    std::string listField_;
    std::vector<Value> keys_;
    bool filling_ = false;
};

// Repeating panels, one per row of the set: ColCount across, RowCount down, each
// PanelWidth by PanelHeight, showing one field's text. A click makes the row
// current; the scroll bar pages through the rest.
class TDBCtrlGrid : public QWidget {
public:
    explicit TDBCtrlGrid(QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { link_.SetDataSource(source); refresh(); }
    void SetDataField(const std::string& name) { link_.SetDataField(name); refresh(); }
    void SetLayout(int colCount, int rowCount, int panelWidth, int panelHeight);
    int PanelCount() const { return colCount_ * rowCount_; }
    int FirstShownRow() const;
    // The text each panel shows, from the top left, for the rows in view.
    QStringList ShownTexts() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void refresh();
    int rowCount() const;

    FieldLink link_;
    QScrollBar* scroll_;
    int colCount_ = 2;
    int rowCount_ = 4;
    int panelWidth_ = 200;
    int panelHeight_ = 38;
};
