#pragma once

// A window-modal dialog that shows differences as a unified diff: each line drawn as plain
// text in a fixed-width font, added and removed lines on a tint of green and red mixed from the
// window's own colours, so they read in light and dark palettes alike; headings in bold. The
// lines come finished (invisible characters written out, bounded): the view draws, never
// interprets.

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QPlainTextEdit;

namespace twk::platform {

struct DiffViewLine {
    enum class Kind { Heading, Note, FileHeader, Hunk, Context, Removed, Added };
    Kind kind;
    QString text;
};
using DiffViewLines = QList<DiffViewLine>;

class DifferencesView : public QDialog {
    Q_OBJECT
public:
    DifferencesView(const QString& title, const DiffViewLines& lines, QWidget* parent = nullptr);

    QPlainTextEdit* text() const { return text_; }
    // The background an added or removed line is drawn on, for a palette.
    static QColor tint(DiffViewLine::Kind kind, const QPalette& palette);

private:
    QPlainTextEdit* text_;
};

// Shows the dialog on the window (or alone when there is none); then() runs once it is closed.
void showDifferences(QWidget* window, const QString& title, const DiffViewLines& lines,
                     std::function<void()> then);

} // namespace twk::platform
