#include "ui/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

MessageBoxes::MessageBoxes() : previous_(setMessageSink(this)) {}

MessageBoxes::~MessageBoxes()
{
    setMessageSink(previous_);
}

std::unique_ptr<QMessageBox> MessageBoxes::build(MessageKind kind, const std::string& caption,
                                                 const std::string& text)
{
    // The clear-history warning stands on its own, without an owner window.
    QWidget* owner = kind == MessageKind::Warning ? nullptr : QApplication::activeWindow();
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(QString::fromStdString(caption));
    box->setText(QString::fromStdString(text));
    box->setTextFormat(Qt::PlainText);

    const auto addQuestionButtons = [&box] {
        QPushButton* yes = box->addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton* no = box->addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box->setDefaultButton(yes);
        box->setEscapeButton(no);
    };

    switch (kind) {
    case MessageKind::Notice:
        box->setIcon(QMessageBox::NoIcon);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::Confirmation:
        box->setIcon(QMessageBox::NoIcon);
        addQuestionButtons();
        break;
    case MessageKind::Confirm:
        box->setIcon(QMessageBox::Question);
        addQuestionButtons();
        break;
    case MessageKind::Warning:
        box->setIcon(QMessageBox::Warning);
        addQuestionButtons();
        break;
    case MessageKind::Error:
        box->setIcon(QMessageBox::Critical);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    }
    return box;
}

bool MessageBoxes::show(MessageKind kind, const std::string& caption, const std::string& text)
{
    auto box = build(kind, caption, text);
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    return clicked && box->buttonRole(clicked) == QMessageBox::YesRole;
}
