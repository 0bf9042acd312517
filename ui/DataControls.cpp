#include "ui/DataControls.h"

#include "ui/ErrorGuard.h"
#include "store/Amount.h"
#include "store/RecordSet.h"
#include "store/Text.h"
#include "seams/Messages.h"
#include "ui/Skin.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

// ---- FieldLink

FieldLink::FieldLink(Handler onChange) : onChange_(std::move(onChange)) {}

FieldLink::~FieldLink()
{
    SetDataSource(nullptr);
}

void FieldLink::SetDataSource(DataSource* source)
{
    if (source == source_)
        return;
    if (source_)
        source_->removeListener(listener_);
    source_ = source;
    listener_ = 0;
    if (source_) {
        // Notifications arrive inside the set's own operations; a control that
        // fails to show a change must not abort the operation that made it.
        listener_ = source_->addListener([this](DataChange change, Field* field) {
            guarded([&] { onChange_(change, field); });
        });
    }
}

void FieldLink::SetDataField(const std::string& name)
{
    fieldName_ = name;
}

RecordSet* FieldLink::dataSet() const
{
    return source_ ? source_->dataSet() : nullptr;
}

Field* FieldLink::field() const
{
    RecordSet* set = dataSet();
    if (!set || !set->active() || fieldName_.empty())
        return nullptr;
    return set->findField(fieldName_);
}

bool FieldLink::editing() const
{
    RecordSet* set = dataSet();
    return set && (set->state() == DataSetState::Edit || set->state() == DataSetState::Insert);
}

std::string FieldLink::text() const
{
    Field* f = field();
    if (!f)
        return {};
    RecordSet& set = f->recordSet();
    const int row = set.currentRow();
    if (row < 0)
        return {};
    return f->asString();
}

// ---- grid

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDBGridModel::setSource(DataSource* source)
{
    beginResetModel();
    source_ = source;
    resolve();
    endResetModel();
}

void TDBGridModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    resolve();
    endResetModel();
}

void TDBGridModel::reset()
{
    beginResetModel();
    resolve();
    endResetModel();
}

void TDBGridModel::rowChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

// Without columns of its own the grid shows every field of the set.
void TDBGridModel::resolve()
{
    resolved_.clear();
    RecordSet* set = source_ ? source_->dataSet() : nullptr;
    const bool open = set && set->active();
    if (columns_.empty()) {
        if (open)
            for (const auto& field : set->fields())
                resolved_.push_back({field.get(), QString::fromStdString(field->displayLabel())});
        return;
    }
    for (const GridColumn& column : columns_) {
        Field* field = open ? set->findField(column.fieldName) : nullptr;
        QString title = column.title;
        if (title.isEmpty())
            title = QString::fromStdString(field ? field->displayLabel() : column.fieldName);
        resolved_.push_back({field, title});
    }
}

Field* TDBGridModel::fieldAt(int column) const
{
    if (column < 0 || column >= static_cast<int>(resolved_.size()))
        return nullptr;
    return resolved_[static_cast<std::size_t>(column)].field;
}

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    RecordSet* set = source_ ? source_->dataSet() : nullptr;
    if (parent.isValid() || !set || !set->active())
        return 0;
    return set->recordCount();
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(resolved_.size());
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const
{
    Field* field = fieldAt(index.column());
    if (!field)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(field->recordSet().displayTextAt(index.row(), *field));
    case Qt::EditRole:
        return QString::fromStdString(field->textOf(field->recordSet().valueAt(index.row(), *field)));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (field->isNumeric() ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= static_cast<int>(resolved_.size()))
        return {};
    return resolved_[static_cast<std::size_t>(section)].title;
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    Field* field = fieldAt(index.column());
    if (editable_ && field && !field->readOnly() && field->kind() == FieldKind::Data)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TDBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Field* field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || !editable_)
        return false;
    return guarded([&] {
        RecordSet& set = field->recordSet();
        if (set.currentRow() != index.row())
            set.setRecNo(index.row() + 1);
        if (set.state() == DataSetState::Browse)
            set.edit();
        const std::string text = value.toString().toStdString();
        if (text.empty())
            field->clear();
        else
            field->setAsString(text);
    });
}

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), model_(new TDBGridModel(this)),
      link_([this](DataChange change, Field* field) { changed(change, field); })
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights keep scrolling through thousands of rows cheap.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

TDBGrid::~TDBGrid()
{
    link_.SetDataSource(nullptr);
}

void TDBGrid::SetDataSource(DataSource* source)
{
    link_.SetDataSource(source);
    model_->setSource(source);
    applyWidths();
    showCurrentRow();
}

void TDBGrid::SetColumns(std::vector<GridColumn> columns)
{
    model_->setColumns(std::move(columns));
    applyWidths();
    showCurrentRow();
}

void TDBGrid::SetReadOnly(bool readOnly)
{
    model_->setEditable(!readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed);
}

void TDBGrid::SetTitles(bool shown)
{
    horizontalHeader()->setVisible(shown);
}

void TDBGrid::SetColors(const QColor& background, const QColor& text, const QColor& selection)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    if (selection.isValid()) {
        colours.setColor(QPalette::Highlight, selection);
        colours.setColor(QPalette::HighlightedText, Qt::white);
    }
    setPalette(colours);
}

void TDBGrid::applyWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    const auto& columns = model_->columns();
    for (int c = 0; c < model_->columnCount(); ++c) {
        int width = c < static_cast<int>(columns.size()) ? columns[static_cast<std::size_t>(c)].width : 0;
        if (width <= 0) {
            Field* field = model_->fieldAt(c);
            width = field ? std::clamp(field->displayWidth(), 4, 60) * charWidth + 8 : 64;
        }
        setColumnWidth(c, width);
    }
}

void TDBGrid::showCurrentRow()
{
    RecordSet* set = link_.dataSet();
    const int row = set && set->active() ? set->currentRow() : -1;
    following_ = true;
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex target = model_->index(row, std::max(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    } else {
        selectionModel()->clearSelection();
    }
    following_ = false;
}

void TDBGrid::changed(DataChange change, Field*)
{
    switch (change) {
    case DataChange::Reloaded: {
        model_->reset();
        if (model_->columns().empty())
            applyWidths();
        showCurrentRow();
        break;
    }
    case DataChange::RowChanged:
    case DataChange::StateChanged: {
        RecordSet* set = link_.dataSet();
        if (set && set->active())
            model_->rowChanged(set->currentRow());
        break;
    }
    case DataChange::RowMoved:
        showCurrentRow();
        break;
    }
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid())
        return;
    RecordSet* set = link_.dataSet();
    if (!set || !set->active() || set->currentRow() == current.row())
        return;
    if (!guarded([&] { set->setRecNo(current.row() + 1); }))
        showCurrentRow(); // the set refused the move: show where it stands
}

// ---- edit, memo, text

TDBEdit::TDBEdit(QWidget* parent)
    : QLineEdit(parent), link_([this](DataChange, Field*) {
          if (!writing_)
              refresh();
      })
{
    connect(this, &QLineEdit::textEdited, this, [this] { write(true); });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (isModified())
            write(leavingWindow_);
    });
}

void TDBEdit::refresh()
{
    Field* field = link_.field();
    setReadOnly(!field || !link_.editing() || field->readOnly());
    const bool sized = field && (field->dataType() == FieldType::Alpha) && field->size() > 0;
    setMaxLength(sized ? field->size() : 32767);
    const QString text = QString::fromStdString(link_.text());
    if (text != this->text())
        setText(text);
    setModified(false);
}

void TDBEdit::focusOutEvent(QFocusEvent* event)
{
    // A message box or another window taking the focus is no leaving of the box:
    // only moving on inside the dialog is.
    leavingWindow_ = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
    leavingWindow_ = false;
}

bool TDBEdit::isNumberBox() const
{
    const Field* field = link_.field();
    return field && field->isNumeric() && link_.editing() && !field->readOnly();
}

bool TDBEdit::HoldsNumber() const
{
    if (!isNumberBox())
        return true;
    const std::string typed = text().toStdString();
    return readTypedNumber(typed).has_value() || trimmed(typed).empty();
}

bool TDBEdit::StoreTypedNumber()
{
    if (!isNumberBox())
        return true;
    if (!HoldsNumber()) {
        refuseNumber();
        return false;
    }
    write(false);
    return true;
}

void TDBEdit::refuseNumber()
{
    // The message box takes the focus from this box: that is not leaving it again.
    static bool refusing = false;
    if (refusing)
        return;
    refusing = true;
    const QString name = caption_.isEmpty() ? QString::fromStdString(link_.DataField()) + ':' : caption_;
    showMessage((name + " \"" + text() + "\" is not a number.").toStdString());
    refusing = false;
    setFocus();
    selectAll();
}

// Text is written as it is typed, so an OK button that takes no focus still
// finds it in the field. A number is written only once the box shows a whole
// number; one that is not ("1/2", "1e") is refused when the box is left.
void TDBEdit::write(bool quietly)
{
    Field* field = link_.field();
    if (!field || !link_.editing() || field->readOnly())
        return;
    const std::string value = text().toStdString();
    writing_ = true;
    if (field->isNumeric()) {
        const auto number = readTypedNumber(value);
        if (trimmed(value).empty())
            guarded([&] { field->clear(); });
        else if (number)
            guarded([&] { field->setAsFloat(*number); });
        else if (!quietly)
            refuseNumber();
    } else {
        guarded([&] {
            if (value.empty())
                field->clear();
            else
                field->setAsString(value);
        });
    }
    writing_ = false;
}

std::vector<TDBEdit*> dataEditsIn(const QWidget* area)
{
    // TDBEdit declares no meta-object of its own: findChildren would take every line edit.
    std::vector<TDBEdit*> edits;
    for (QLineEdit* edit : area->findChildren<QLineEdit*>())
        if (auto* box = dynamic_cast<TDBEdit*>(edit))
            edits.push_back(box);
    return edits;
}

TDBEdit* firstRefusedNumberBox(const QWidget* area)
{
    for (TDBEdit* box : dataEditsIn(area))
        if (!box->HoldsNumber())
            return box;
    return nullptr;
}

TDBMemo::TDBMemo(QWidget* parent)
    : QPlainTextEdit(parent), link_([this](DataChange, Field*) {
          if (!writing_)
              refresh();
      })
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        Field* field = link_.field();
        if (refreshing_ || !field || !link_.editing())
            return;
        writing_ = true;
        guarded([&] { field->setAsString(toPlainText().toStdString()); });
        writing_ = false;
    });
}

void TDBMemo::refresh()
{
    Field* field = link_.field();
    setReadOnly(!field || !link_.editing() || field->readOnly());
    const QString text = QString::fromStdString(link_.text());
    if (text != toPlainText()) {
        refreshing_ = true;
        setPlainText(text);
        refreshing_ = false;
    }
}

TDBText::TDBText(QWidget* parent) : QLabel(parent), link_([this](DataChange, Field*) { refresh(); })
{
    setTextFormat(Qt::PlainText);
}

void TDBText::refresh()
{
    Field* field = link_.field();
    std::string text;
    if (field && field->recordSet().currentRow() >= 0)
        text = field->displayText();
    setText(QString::fromStdString(text));
}

// ---- lookup combo box

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent)
    : QComboBox(parent), link_([this](DataChange, Field*) { showValue(); }),
      list_([this](DataChange change, Field*) {
          if (change != DataChange::RowMoved && change != DataChange::StateChanged)
              fill();
      })
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void TDBLookupComboBox::SetListSource(DataSource* source)
{
    list_.SetDataSource(source);
    fill();
}

void TDBLookupComboBox::fill()
{
    filling_ = true;
    clear();
    keys_.clear();
    RecordSet* set = list_.dataSet();
    if (set && set->active()) {
        Field* key = set->findField(keyField_);
        Field* shown = set->findField(listField_);
        if (key && shown) {
            const int rows = set->recordCount();
            for (int row = 0; row < rows; ++row) {
                keys_.push_back(set->valueAt(row, *key));
                addItem(QString::fromStdString(set->displayTextAt(row, *shown)));
            }
        }
    }
    filling_ = false;
    showValue();
}

namespace {

bool sameKey(const Value& a, const Value& b)
{
    if (isNull(a) || isNull(b))
        return false;
    const auto number = [](const Value& v, double& out) {
        if (const auto* i = std::get_if<std::int64_t>(&v))
            return out = static_cast<double>(*i), true;
        if (const auto* d = std::get_if<double>(&v))
            return out = *d, true;
        return false;
    };
    double x = 0;
    double y = 0;
    if (number(a, x) && number(b, y))
        return x == y; // whole numbers stored as doubles match their integer keys
    return a == b;
}

} // namespace

void TDBLookupComboBox::showValue()
{
    Field* field = link_.field();
    int index = -1;
    if (field && field->recordSet().currentRow() >= 0) {
        const Value value = field->value();
        for (std::size_t i = 0; i < keys_.size(); ++i)
            if (sameKey(keys_[i], value)) {
                index = static_cast<int>(i);
                break;
            }
    }
    filling_ = true;
    setCurrentIndex(index);
    filling_ = false;
}

void TDBLookupComboBox::chosen(int index)
{
    Field* field = link_.field();
    if (filling_ || index < 0 || index >= static_cast<int>(keys_.size()))
        return;
    if (!field || !link_.editing()) {
        showValue(); // browsing: the choice is not taken
        return;
    }
    guarded([&] { field->setValue(keys_[static_cast<std::size_t>(index)]); });
    showValue();
}

// ---- repeating panels

TDBCtrlGrid::TDBCtrlGrid(QWidget* parent)
    : QWidget(parent), link_([this](DataChange, Field*) { refresh(); }), scroll_(new QScrollBar(Qt::Vertical, this))
{
    connect(scroll_, &QScrollBar::valueChanged, this, [this] { update(); });
    SetLayout(2, 4, 200, 38);
}

void TDBCtrlGrid::SetLayout(int colCount, int rowCount, int panelWidth, int panelHeight)
{
    colCount_ = std::max(1, colCount);
    rowCount_ = std::max(1, rowCount);
    panelWidth_ = panelWidth;
    panelHeight_ = panelHeight;
    const int scrollWidth = scroll_->sizeHint().width();
    resize(colCount_ * panelWidth_ + scrollWidth, rowCount_ * panelHeight_);
    scroll_->setGeometry(colCount_ * panelWidth_, 0, scrollWidth, rowCount_ * panelHeight_);
    refresh();
}

int TDBCtrlGrid::rowCount() const
{
    RecordSet* set = link_.dataSet();
    return set && set->active() ? set->recordCount() : 0;
}

int TDBCtrlGrid::FirstShownRow() const
{
    return scroll_->value() * colCount_;
}

void TDBCtrlGrid::refresh()
{
    // The scroll bar counts lines of panels; the current row is kept in view.
    const int lines = (rowCount() + colCount_ - 1) / colCount_;
    scroll_->setRange(0, std::max(0, lines - rowCount_));
    scroll_->setPageStep(rowCount_);
    RecordSet* set = link_.dataSet();
    const int current = set && set->active() ? set->currentRow() : -1;
    if (current >= 0) {
        const int line = current / colCount_;
        if (line < scroll_->value())
            scroll_->setValue(line);
        else if (line >= scroll_->value() + rowCount_)
            scroll_->setValue(line - rowCount_ + 1);
    }
    update();
}

QStringList TDBCtrlGrid::ShownTexts() const
{
    QStringList texts;
    Field* field = link_.field();
    if (!field)
        return texts;
    const int rows = rowCount();
    for (int i = 0; i < PanelCount() && FirstShownRow() + i < rows; ++i)
        texts << QString::fromStdString(field->recordSet().displayTextAt(FirstShownRow() + i, *field));
    return texts;
}

void TDBCtrlGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(QRect(0, 0, colCount_ * panelWidth_, rowCount_ * panelHeight_), Skin::paleGreenLight());
    RecordSet* set = link_.dataSet();
    const int current = set && set->active() ? set->currentRow() : -1;
    const QStringList texts = ShownTexts();
    for (int i = 0; i < texts.size(); ++i) {
        const QRect panel((i % colCount_) * panelWidth_, (i / colCount_) * panelHeight_, panelWidth_, panelHeight_);
        const bool isCurrent = FirstShownRow() + i == current;
        p.fillRect(panel.adjusted(2, 2, -2, -2), isCurrent ? Skin::paleGreen() : QColor(Qt::white));
        p.setPen(isCurrent ? Skin::brightGreen().darker(130) : Skin::paleGreen());
        p.drawRect(panel.adjusted(2, 2, -3, -3));
        p.setPen(Skin::darkGreen());
        p.drawText(panel.adjusted(10, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, texts[i]);
    }
}

void TDBCtrlGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (at.x() >= colCount_ * panelWidth_)
        return;
    const int row = FirstShownRow() + (at.y() / panelHeight_) * colCount_ + at.x() / panelWidth_;
    RecordSet* set = link_.dataSet();
    if (set && set->active() && row < rowCount())
        guarded([&] { set->setRecNo(row + 1); });
}

void TDBCtrlGrid::wheelEvent(QWheelEvent* event)
{
    scroll_->setValue(scroll_->value() - event->angleDelta().y() / 120);
}
