// The string grid: a table over the kit's cells with grey fixed rows and
// columns and a cell editor per column (plain text with the column's key
// filter, or an editable combo box whose list is asked for each time).

#include "kit/stringgrid.h"
#include "ui/bindings.h"
#include "ui/style.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QScrollBar>
#include <QTableView>

namespace ui {

namespace {

class StringGridModel : public QAbstractTableModel {
public:
    StringGridModel(kit::StringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    bool fixed(const QModelIndex& index) const {
        return index.row() < grid_.fixedRows || index.column() < grid_.fixedCols;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        if (fixed(index)) return Qt::ItemIsEnabled;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (grid_.editor(index.column()) != kit::StringGrid::Editor::None) f |= Qt::ItemIsEditable;
        return f;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= grid_.rowCount() || index.column() >= grid_.colCount()) return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return grid_.cell(index.column(), index.row());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(fixed(index) ? Qt::Alignment(Qt::AlignCenter) : alignment(grid_.cellAlign));
        case Qt::BackgroundRole:
            if (fixed(index)) return QColor(0xd4, 0xd0, 0xc8);
            return {};
        default: return {};
        }
    }

    // Shows the kit's cells again; a new size resets the table.
    void refresh() {
        if (rows_ != grid_.rowCount() || cols_ != grid_.colCount()) {
            beginResetModel();
            rows_ = grid_.rowCount();
            cols_ = grid_.colCount();
            endResetModel();
        } else if (rows_ > 0 && cols_ > 0) {
            emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
        }
    }

private:
    kit::StringGrid& grid_;
    int rows_ = 0;
    int cols_ = 0;
};

// Discards the keys that a column's key filter refuses.
class KeyFilterGuard : public QObject {
public:
    KeyFilterGuard(QObject* parent, kit::KeyFilter filter) : QObject(parent), filter_(filter) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint()) return false;
        return !kit::keyAccepted(filter_, text.at(0));
    }

private:
    kit::KeyFilter filter_;
};

class StringGridBinding;

class CellEditors : public QStyledItemDelegate {
public:
    CellEditors(StringGridBinding& binding, QObject* parent) : QStyledItemDelegate(parent), binding_(binding) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    StringGridBinding& binding_;
};

class StringGridBinding : public ControlBinding {
public:
    StringGridBinding(FormWidget& owner, kit::StringGrid& grid, QWidget* parent)
        : ControlBinding(owner, grid), table_(new QTableView(parent)) {
        model_ = new StringGridModel(grid, table_);
        table_->setModel(model_);
        connectSelection();
        table_->setItemDelegate(new CellEditors(*this, table_));
        table_->horizontalHeader()->hide();
        table_->verticalHeader()->hide();
        table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setWordWrap(false);
        // Editing starts on the cell the operator moves to, so no typed key is lost.
        table_->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::SelectedClicked);
        QObject::connect(table_, &QTableView::doubleClicked, table_, [this](const QModelIndex& index) {
            act([this, index] { this->grid().doubleClick(index.column(), index.row()); });
        });
        owner.watchKeys(table_->viewport(), &grid);
    }
    kit::StringGrid& grid() const { return static_cast<kit::StringGrid&>(control_); }
    QWidget* widget() const override { return table_; }

    void refresh() override {
        const kit::StringGrid& g = grid();
        model_->refresh();
        table_->setSelectionBehavior(g.rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        table_->verticalHeader()->setDefaultSectionSize(g.defaultRowHeight);
        int total = 0;
        for (int c = 0; c < g.colCount(); ++c) {
            if (g.colWidth(c) > 0 && table_->columnWidth(c) != g.colWidth(c)) table_->setColumnWidth(c, g.colWidth(c));
            total += table_->columnWidth(c);
        }
        // Wide enough to show every column beside the vertical scroll bar.
        table_->setMinimumWidth(total + 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() +
                                table_->verticalHeader()->width());
        followCurrentCell();
    }

    // The editor's text reaches the kit as the operator's edit of the cell.
    void commit(int col, int row, const QString& text) {
        act([this, col, row, text] { grid().editCell(col, row, text); });
    }
    QStringList comboList(int col, int row) {
        QStringList items;
        owner_.call([&] { items = grid().comboList(col, row); });
        return items;
    }

private:
    void connectSelection() {
        QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, table_,
                         [this](const QModelIndex& current) {
                             if (!current.isValid() || owner_.refreshing()) return;
                             if (current.column() == grid().col() && current.row() == grid().row()) return;
                             if (model_->fixed(current)) {
                                 owner_.refreshBinding(*this);
                                 return;
                             }
                             act([this, current] { grid().selectCell(current.column(), current.row()); });
                         });
    }

    void followCurrentCell() {
        const kit::StringGrid& g = grid();
        const QModelIndex index = model_->index(g.row(), g.col());
        if (!index.isValid() || table_->currentIndex() == index) return;
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (g.rowSelect) flags |= QItemSelectionModel::Rows;
        table_->selectionModel()->setCurrentIndex(index, flags);
    }

    QTableView* table_;
    StringGridModel* model_;
};

QWidget* CellEditors::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    kit::StringGrid& grid = binding_.grid();
    const int col = index.column();
    switch (grid.editor(col)) {
    case kit::StringGrid::Editor::None: return nullptr;
    case kit::StringGrid::Editor::Text: {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        line->installEventFilter(new KeyFilterGuard(line, grid.keyFilter(col)));
        return line;
    }
    case kit::StringGrid::Editor::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setFrame(false);
        combo->addItems(binding_.comboList(col, index.row()));
        if (combo->lineEdit()) combo->lineEdit()->installEventFilter(new KeyFilterGuard(combo, grid.keyFilter(col)));
        return combo;
    }
    }
    return nullptr;
}

void CellEditors::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = binding_.grid().cell(index.column(), index.row());
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(text));
        combo->setEditText(text);
    }
}

void CellEditors::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    QString text;
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        text = line->text();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else
        return;
    binding_.commit(index.column(), index.row(), text);
}

}  // namespace

std::unique_ptr<ControlBinding> bindStringGrid(FormWidget& owner, kit::StringGrid& grid, QWidget* parent) {
    return std::make_unique<StringGridBinding>(owner, grid, parent);
}

}  // namespace ui
