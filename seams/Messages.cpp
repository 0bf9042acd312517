#include "seams/Messages.h"

namespace {

MessageSink* currentSink = nullptr;

bool show(MessageKind kind, const std::string& text)
{
    return currentSink ? currentSink->show(kind, captionOf(kind), text) : false;
}

} // namespace

std::string captionOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Notice:
        return "Saporia";
    case MessageKind::Confirmation:
        return "Confirmation!";
    case MessageKind::Confirm:
        return "Confirm";
    case MessageKind::Warning:
        return "WARNING";
    case MessageKind::Error:
        return "Error";
    }
    return {};
}

void showMessage(const std::string& text) { show(MessageKind::Notice, text); }
bool askConfirmation(const std::string& text) { return show(MessageKind::Confirmation, text); }
bool askConfirm(const std::string& text) { return show(MessageKind::Confirm, text); }
bool askWarning(const std::string& text) { return show(MessageKind::Warning, text); }
void showError(const std::string& text) { show(MessageKind::Error, text); }

MessageSink* setMessageSink(MessageSink* sink)
{
    MessageSink* previous = currentSink;
    currentSink = sink;
    return previous;
}

MessageRecorder::MessageRecorder() : previous_(setMessageSink(this)) {}

MessageRecorder::~MessageRecorder()
{
    setMessageSink(previous_);
}

bool MessageRecorder::show(MessageKind kind, const std::string& caption, const std::string& text)
{
    messages_.push_back({kind, caption, text});
    if (kind == MessageKind::Notice || kind == MessageKind::Error || answers_.empty())
        return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::vector<std::string> MessageRecorder::texts() const
{
    std::vector<std::string> result;
    for (const auto& message : messages_)
        result.push_back(message.text);
    return result;
}
