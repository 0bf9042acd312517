#pragma once

#include <deque>
#include <string>
#include <vector>

// The one way the program talks to the user in message boxes. The data modules
// and windows call the free functions below; the running program installs the
// Qt message boxes (MessageBoxes), tests install a MessageRecorder.

enum class MessageKind {
    Notice,       // plain box, caption "Saporia", OK
    Confirmation, // the data modules' question, caption "Confirmation!", Yes / No
    Confirm,      // the platform-style question, caption "Confirm", "&Yes" / "&No", question icon
    Warning,      // caption "WARNING", Yes / No (clearing the search history)
    Error,        // the error box
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows the box; for the three questions returns true for Yes.
    virtual bool show(MessageKind kind, const std::string& caption, const std::string& text) = 0;
};

// The caption each kind of box carries.
std::string captionOf(MessageKind kind);

void showMessage(const std::string& text);         // Notice
bool askConfirmation(const std::string& text);     // Confirmation!
bool askConfirm(const std::string& text);          // Confirm
bool askWarning(const std::string& text);          // WARNING
void showError(const std::string& text);           // Error

// Installs the sink the functions above use; returns the previous one. Without a
// sink, notices and errors go nowhere and every question is answered No.
MessageSink* setMessageSink(MessageSink* sink);

// Test seam: keeps every box shown and answers questions from a script.
class MessageRecorder : public MessageSink {
public:
    struct Message {
        MessageKind kind;
        std::string caption;
        std::string text;
    };

    MessageRecorder();  // installs itself
    ~MessageRecorder() override; // puts the previous sink back

    // Queues answers for the next questions; an unscripted question is answered No.
    void answer(bool yes) { answers_.push_back(yes); }
    bool show(MessageKind kind, const std::string& caption, const std::string& text) override;

    const std::vector<Message>& messages() const { return messages_; }
    std::vector<std::string> texts() const;
    void clear() { messages_.clear(); }

private:
    MessageSink* previous_;
    std::deque<bool> answers_;
    std::vector<Message> messages_;
};
