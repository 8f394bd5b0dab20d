// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreAccessible.h"

#include "score/ChordScore.h"
#include "score/ChordView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace scoreaccessible {

namespace {

// One cell, known by its index: the score keeps the cells, the interface
// only points at one and reads it when asked.
class CellInterface : public QAccessibleInterface {
public:
    CellInterface(ChordScore *score, int index) : m_score(score), m_index(index) {}

    bool isValid() const override { return Cell() != nullptr; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override {
        return m_score ? m_score->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override {
        return m_score ? QAccessible::queryAccessibleInterface(m_score.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        const ChordView *cell = Cell();
        return cell && t == QAccessible::Name ? CellName(*cell) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        if (!Cell()) {
            return {};
        }
        const QRect box = m_score->CellRect(m_index);
        return {m_score->mapToGlobal(box.topLeft()), box.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !Cell() || !m_score->isVisible();
        return s;
    }

private:
    const ChordView *Cell() const {
        if (!m_score || m_index < 1 || m_index > m_score->ChordViewCount()) {
            return nullptr;
        }
        return m_score->Cell(static_cast<int16_t>(m_index));
    }

    QPointer<ChordScore> m_score;
    int m_index;
};

class ScoreInterface : public QAccessibleWidget {
public:
    explicit ScoreInterface(ChordScore *score)
        : QAccessibleWidget(score, QAccessible::List, QStringLiteral("コード譜")) {}
    ~ScoreInterface() override {
        for (const QAccessible::Id id : m_cells) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }
    ScoreInterface(const ScoreInterface &) = delete;
    ScoreInterface &operator=(const ScoreInterface &) = delete;

    int childCount() const override { return Score()->ChordViewCount(); }
    QAccessibleInterface *child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        const auto at = static_cast<size_t>(index);
        if (m_cells.size() <= at) {
            m_cells.resize(at + 1, 0);
        }
        // Made when first asked for; the cache of Qt's accessibility owns it.
        if (m_cells[at] == 0) {
            m_cells[at] =
                QAccessible::registerAccessibleInterface(new CellInterface(Score(), index + 1));
        }
        return QAccessible::accessibleInterface(m_cells[at]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        for (size_t i = 0; i < m_cells.size(); ++i) {
            if (m_cells[i] != 0 && QAccessible::accessibleInterface(m_cells[i]) == child) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        const int16_t i = Score()->CellAt(Score()->mapFromGlobal(QPoint(x, y)));
        return i > 0 ? child(i - 1) : nullptr;
    }

private:
    ChordScore *Score() const { return static_cast<ChordScore *>(widget()); }

    mutable std::vector<QAccessible::Id> m_cells;
};

QAccessibleInterface *Factory(const QString &className, QObject *object) {
    if (className == QLatin1String("ChordScore") && object && object->isWidgetType()) {
        return new ScoreInterface(static_cast<ChordScore *>(object));
    }
    return nullptr;
}

} // namespace

void Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

QString CellName(const ChordView &cell) {
    QStringList parts;
    if (!cell.ChordName().isEmpty()) {
        parts << cell.ChordName();
        if (cell.PositionSize() > 0) {
            parts << QStringLiteral("押さえ方 %1/%2")
                         .arg(cell.PositionIndex())
                         .arg(cell.PositionSize());
        } else {
            parts << QStringLiteral("押さえ方なし");
        }
    }
    const QString word = cell.Word().trimmed();
    if (!word.isEmpty()) {
        parts << word;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace scoreaccessible
