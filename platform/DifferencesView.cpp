#include "platform/DifferencesView.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace twk::platform {
namespace {

QColor mixed(const QColor& base, const QColor& colour, qreal amount) {
    return QColor::fromRgbF(float(base.redF() * (1 - amount) + colour.redF() * amount),
                            float(base.greenF() * (1 - amount) + colour.greenF() * amount),
                            float(base.blueF() * (1 - amount) + colour.blueF() * amount));
}

} // namespace

QColor DifferencesView::tint(DiffViewLine::Kind kind, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    switch (kind) {
    case DiffViewLine::Kind::Added:
        return mixed(base, QColor(0x2e, 0xa0, 0x43), 0.28);
    case DiffViewLine::Kind::Removed:
        return mixed(base, QColor(0xd7, 0x3a, 0x49), 0.28);
    case DiffViewLine::Kind::Hunk:
    case DiffViewLine::Kind::Heading:
        return mixed(base, palette.color(QPalette::Highlight), 0.12);
    default:
        return base;
    }
}

DifferencesView::DifferencesView(const QString& title, const DiffViewLines& lines, QWidget* parent)
    : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("differences"));
    auto* layout = new QVBoxLayout(this);
    text_->setObjectName(QStringLiteral("differencesText"));
    text_->setAccessibleName(title);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Plain text, block by block: nothing of it is ever read as markup.
    QTextCursor cursor(text_->document());
    cursor.beginEditBlock();
    const QPalette colours = palette();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const DiffViewLine& line = lines[i];
        QTextBlockFormat block;
        const QColor background = tint(line.kind, colours);
        if (background != colours.color(QPalette::Base))
            block.setBackground(background);
        QTextCharFormat characters;
        if (line.kind == DiffViewLine::Kind::Heading || line.kind == DiffViewLine::Kind::FileHeader)
            characters.setFontWeight(QFont::Bold);
        if (line.kind == DiffViewLine::Kind::Note)
            characters.setFontItalic(true);
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setCharFormat(characters);
        } else {
            cursor.insertBlock(block, characters);
        }
        cursor.insertText(line.text);
    }
    cursor.endEditBlock();
    text_->moveCursor(QTextCursor::Start);
    resize(860, 600);
}

void showDifferences(QWidget* window, const QString& title, const DiffViewLines& lines,
                     std::function<void()> then) {
    auto* view = new DifferencesView(title, lines, window);
    view->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(view, &QDialog::finished, view, [then = std::move(then)](int) {
        if (then)
            then();
    });
    if (window)
        view->open(); // window-modal
    else
        view->show();
}

} // namespace twk::platform
