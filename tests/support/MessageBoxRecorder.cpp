#include "MessageBoxRecorder.h"

#include "framework/AfxMessageBox.h"

#include <deque>
#include <mutex>

namespace {

std::mutex g_lock;
std::vector<MessageBoxRecorder::Box> g_boxes;
std::deque<int> g_answers;

int Record(HWND owner, const char* text, const char* caption, UINT type) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_boxes.push_back(
        {owner, text ? text : "", caption ? caption : "", type, GetCurrentThreadId()});
    if (g_answers.empty())
        return IDOK;
    int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    std::lock_guard<std::mutex> hold(g_lock);
    g_boxes.clear();
    g_answers.clear();
    AfxSetMessageBoxHandler(&Record);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    AfxSetMessageBoxHandler(nullptr);
}

void MessageBoxRecorder::QueueAnswer(int answer) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_answers.push_back(answer);
}

std::vector<MessageBoxRecorder::Box> MessageBoxRecorder::Boxes() const {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_boxes;
}

size_t MessageBoxRecorder::Count() const {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_boxes.size();
}
