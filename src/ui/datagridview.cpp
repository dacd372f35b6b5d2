// The data grid: a table view over the query's result, read in place, with
// sortable titles, a footer strip and the current row of the query.

#include "db/query.h"
#include "kit/datagrid.h"
#include "ui/bindings.h"
#include "ui/style.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QMouseEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QShortcut>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

constexpr int kSampleRows = 200;   // rows measured to fit a column's width

QString sortMark(bool ascending) { return ascending ? QStringLiteral("▲") : QStringLiteral("▼"); }

// The query's result as a table, without a copy: cells are read on demand.
class DataGridModel : public QAbstractTableModel {
public:
    explicit DataGridModel(kit::DataGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
        load();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(columns_.size()); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.column() >= int(columns_.size())) return {};
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignment(columns_[index.column()].align));
        if (role != Qt::DisplayRole) return {};
        const int col = resultColumns_[index.column()];
        const db::Result& r = grid_.query().result();
        if (col < 0 || index.row() >= r.rowCount()) return {};
        try {
            return kit::DataGrid::cellText(r, index.row(), col, columns_[index.column()].yesNo);
        } catch (...) {
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size())) return {};
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (role != Qt::DisplayRole) return {};
        return title(section);
    }

    QString title(int section) const {
        const auto& c = columns_[section];
        QString text = c.title.isEmpty() ? c.field : c.title;
        const auto& levels = grid_.sortLevels();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (levels[i].column != section) continue;
            text += sortMark(levels[i].ascending);
            if (levels.size() > 1) text += QString::number(i + 1);
            return text;
        }
        if (grid_.markedColumn() == section) text += sortMark(true);
        return text;
    }

    // Reads the columns and the row count again (a new result or new columns).
    void load() {
        columns_ = grid_.shownColumns();
        resultColumns_.clear();
        const db::Query& q = grid_.query();
        for (const auto& c : columns_) resultColumns_.push_back(q.active() ? q.result().columnIndex(c.field) : -1);
        rows_ = q.recordCount();
    }
    void reload() {
        beginResetModel();
        load();
        endResetModel();
    }
    // Whether the grid's columns differ from those shown.
    bool columnsChanged() const {
        const auto now = grid_.shownColumns();
        if (now.size() != columns_.size()) return true;
        for (std::size_t i = 0; i < now.size(); ++i)
            if (now[i].field != columns_[i].field || now[i].title != columns_[i].title ||
                now[i].width != columns_[i].width || now[i].align != columns_[i].align)
                return true;
        return false;
    }
    void titlesChanged() {
        if (!columns_.empty()) emit headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
    }

    const std::vector<kit::DataGrid::Column>& columns() const { return columns_; }
    int resultColumn(int section) const { return resultColumns_[section]; }

private:
    kit::DataGrid& grid_;
    std::vector<kit::DataGrid::Column> columns_;
    std::vector<int> resultColumns_;
    qsizetype rows_ = 0;
};

// The footer row, painted under the columns of the table and scrolled with it.
class FooterBar : public QWidget {
public:
    FooterBar(QTableView* table, QWidget* parent) : QWidget(parent), table_(table) {
        setFixedHeight(fontMetrics().height() + 8);
        auto repaint = [this] { update(); };
        connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
        connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    }
    QStringList texts;
    std::vector<kit::Align> aligns;
    QColor color;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        const QHeaderView* header = table_->horizontalHeader();
        // The table and the footer stand side by side in the same box.
        const int x0 = table_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
        const QRect strip(x0, 0, table_->viewport()->width(), height());
        p.setClipRect(strip);
        p.fillRect(strip, color.isValid() ? color : QColor(Qt::yellow));
        p.setPen(palette().color(QPalette::Mid));
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i)) continue;
            const QRect cell(x0 + header->sectionViewportPosition(i), 0, header->sectionSize(i), height());
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            if (i < texts.size() && !texts[i].isEmpty()) {
                p.setPen(palette().color(QPalette::WindowText));
                const kit::Align a = i < int(aligns.size()) ? aligns[i] : kit::Align::Center;
                p.drawText(cell.adjusted(3, 0, -3, 0), int(alignment(a)), texts[i]);
            }
        }
    }

private:
    QTableView* table_;
};

// A click on a column title (press and release on the same title, not a
// drag of a column border).
class TitleClicks : public QObject {
public:
    TitleClicks(QHeaderView* header, std::function<void(int)> clicked)
        : QObject(header), header_(header), clicked_(std::move(clicked)) {
        header->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(event);
            pressed_ = m->button() == Qt::LeftButton && !onBorder(m->position().toPoint())
                           ? header_->logicalIndexAt(m->position().toPoint())
                           : -1;
            pressPos_ = m->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* m = static_cast<QMouseEvent*>(event);
            const QPoint pos = m->position().toPoint();
            const int section = header_->logicalIndexAt(pos);
            if (m->button() == Qt::LeftButton && pressed_ >= 0 && section == pressed_ &&
                (pos - pressPos_).manhattanLength() < QApplication::startDragDistance())
                clicked_(section);
            pressed_ = -1;
        }
        return false;
    }

private:
    bool onBorder(QPoint pos) const {
        const int section = header_->logicalIndexAt(pos);
        if (section < 0) return false;
        const int left = header_->sectionViewportPosition(section);
        const int right = left + header_->sectionSize(section);
        return pos.x() - left < 4 || right - pos.x() < 4;
    }

    QHeaderView* header_;
    std::function<void(int)> clicked_;
    int pressed_ = -1;
    QPoint pressPos_;
};

constexpr int kWidestGrid = 720;

class DataGridBinding : public ControlBinding {
public:
    DataGridBinding(FormWidget& owner, kit::DataGrid& grid, QWidget* parent)
        : ControlBinding(owner, grid), box_(new QWidget(parent)), table_(new QTableView(box_)) {
        auto* layout = new QVBoxLayout(box_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(table_);
        footer_ = new FooterBar(table_, box_);
        layout->addWidget(footer_);

        model_ = new DataGridModel(grid, table_);
        table_->setModel(model_);
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setWordWrap(false);
        table_->setCornerButtonEnabled(false);
        table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        // Uniform rows: a million of them cost nothing to lay out.
        QHeaderView* rows = table_->verticalHeader();
        rows->setSectionResizeMode(QHeaderView::Fixed);
        rows->setDefaultSectionSize(table_->fontMetrics().height() + 6);
        rows->setMinimumSectionSize(table_->fontMetrics().height() + 6);
        rows->hide();
        QHeaderView* titles = table_->horizontalHeader();
        // Title clicks are recognised here rather than by the header, whose
        // own clicks would select the column.
        titles->setSectionsClickable(false);
        titles->setHighlightSections(false);
        titles->setSectionResizeMode(QHeaderView::Interactive);
        titleClicks_ = new TitleClicks(titles, [this](int section) {
            act([this, section] { this->grid().clickTitle(section); });
        });

        QObject::connect(table_, &QTableView::doubleClicked, table_, [this](const QModelIndex& index) {
            act([this, index] { this->grid().doubleClick(index.row()); });
        });
        // The grid's find dialog: Ctrl+F asks for a text and moves to the next
        // row holding it; F3 looks for the same text again.
        auto* find = new QShortcut(QKeySequence::Find, table_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(find, &QShortcut::activated, table_, [this] {
            bool ok = false;
            const QString text = QInputDialog::getText(table_, QStringLiteral("查找"), QStringLiteral("查找内容："),
                                                       QLineEdit::Normal, lastFind_, &ok);
            if (!ok || text.isEmpty()) return;
            lastFind_ = text;
            findNext();
        });
        auto* again = new QShortcut(QKeySequence::FindNext, table_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(again, &QShortcut::activated, table_, [this] { findNext(); });
        connectSelection();

        listener_ = grid.query().addListener([this](db::Query::Change change) { queryChanged(change); });
        owner.watchKeys(table_->viewport(), &grid);
        owner.registerWidget(&grid, table_, true);
        applyColumns();
    }
    ~DataGridBinding() override { detach(); }

    kit::DataGrid& grid() const { return static_cast<kit::DataGrid&>(control_); }
    QWidget* widget() const override { return box_; }

    void detach() override {
        if (listener_) grid().query().removeListener(listener_);
        listener_ = 0;
    }

    void refresh() override {
        table_->setSelectionBehavior(grid().rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        if (model_->columnsChanged()) {
            model_->reload();
            applyColumns();
        } else {
            model_->titlesChanged();
        }
        footer_->texts = grid().footer();
        footer_->color = colorByName(grid().footerColor);
        footer_->aligns.clear();
        for (const auto& c : model_->columns()) footer_->aligns.push_back(c.align);
        footer_->setVisible(!grid().footer().isEmpty());
        footer_->update();
        followCurrentRow();
    }

private:
    void findNext() {
        if (lastFind_.isEmpty()) return;
        act([this] {
            if (grid().find(lastFind_) < 0) QApplication::beep();
        });
    }

    void connectSelection() {
        QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, table_,
                         [this](const QModelIndex& current) {
                             if (!current.isValid() || owner_.refreshing()) return;
                             if (current.row() == grid().query().recNo()) return;
                             act([this, row = current.row()] { grid().selectRow(row); });
                         });
    }

    void queryChanged(db::Query::Change change) {
        if (!owner_.attached()) return;
        FormWidget::Refreshing guard(owner_);
        if (change == db::Query::Change::RowMoved) {
            followCurrentRow();
            return;
        }
        const bool newColumns = model_->columnsChanged();
        model_->reload();
        if (change == db::Query::Change::Opened || newColumns) applyColumns();
        model_->titlesChanged();
        followCurrentRow();
    }

    void followCurrentRow() {
        const db::Query& q = grid().query();
        QItemSelectionModel* sel = table_->selectionModel();
        if (!q.active() || q.recordCount() == 0) {
            sel->clearCurrentIndex();
            return;
        }
        const int row = int(q.recNo());
        const int column = std::max(0, table_->currentIndex().column());
        const QModelIndex index = model_->index(row, column);
        if (table_->currentIndex() == index) return;
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (grid().rowSelect) flags |= QItemSelectionModel::Rows;
        sel->setCurrentIndex(index, flags);
        table_->scrollTo(index);
    }

    // Column widths: given ones, or fitted to the title and the first rows.
    void applyColumns() {
        QHeaderView* titles = table_->horizontalHeader();
        const QFontMetrics body = table_->fontMetrics();
        const QFontMetrics head = titles->fontMetrics();
        const db::Query& q = grid().query();
        const auto& columns = model_->columns();
        int total = 0;
        for (int i = 0; i < int(columns.size()); ++i) {
            int width = columns[i].width;
            if (width <= 0) {
                width = head.horizontalAdvance(model_->title(i) + QStringLiteral("▲") + QStringLiteral("9")) + 16;
                const int col = model_->resultColumn(i);
                if (col >= 0) {
                    const qsizetype n = std::min<qsizetype>(q.recordCount(), kSampleRows);
                    for (qsizetype r = 0; r < n; ++r) {
                        try {
                            width = std::max(width, body.horizontalAdvance(q.result().text(r, col)) + 12);
                        } catch (...) {
                        }
                    }
                }
                width = std::min(width, 400);
            }
            titles->resizeSection(i, width);
            total += width;
        }
        // The grid asks for room to show its columns, within reason; a
        // wider list scrolls.
        const int wanted = total + 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
        table_->setMinimumWidth(std::min(wanted, kWidestGrid));
    }

    QString lastFind_;
    QWidget* box_;
    QTableView* table_;
    FooterBar* footer_;
    DataGridModel* model_;
    TitleClicks* titleClicks_ = nullptr;
    int listener_ = 0;
};

}  // namespace

std::unique_ptr<ControlBinding> bindDataGrid(FormWidget& owner, kit::DataGrid& grid, QWidget* parent) {
    return std::make_unique<DataGridBinding>(owner, grid, parent);
}

}  // namespace ui
