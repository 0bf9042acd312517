#pragma once

#include "seams/Messages.h"

#include <QMessageBox>

#include <memory>

// The message boxes of the running program: the Qt face of the messages seam.
class MessageBoxes : public MessageSink {
public:
    MessageBoxes();           // installs itself
    ~MessageBoxes() override; // puts the previous sink back

    bool show(MessageKind kind, const std::string& caption, const std::string& text) override;

    // Builds the box a kind of message shows in (caption, icon, buttons, owner);
    // show() runs it modally. Separate so the boxes can be looked at without a loop.
    static std::unique_ptr<QMessageBox> build(MessageKind kind, const std::string& caption,
                                              const std::string& text);

private:
    MessageSink* previous_;
};
