#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Replaces every message box of the program while it lives: records each one and answers it
// with the next queued answer (IDOK when the queue is empty). Safe to hit from any thread.
class MessageBoxRecorder {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
        DWORD threadId;
    };

    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer);
    std::vector<Box> Boxes() const;
    size_t Count() const;
};
