// Records the message boxes a test causes and answers them from a queue,
// so no test ever blocks on a prompt.
#pragma once

// The standard headers come first: windows.h defines min and max macros.
#include <deque>
#include <string>
#include <vector>

#include "framework/core/MessageSink.h"

struct RecordedMessage
{
    std::string text;
    std::string caption;
    UINT type;
};

class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();

    // Answers the next prompts in order; once the queue is empty a prompt
    // gets its first button (IDOK, IDYES, IDABORT, ...).
    void QueueAnswer(int nAnswer);

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    std::string LastText() const;
    // The text of every recorded message, in order.
    std::vector<std::string> Texts() const;
    void Clear() { m_messages.clear(); }
    // Each prompt takes the keyboard focus while it is up, as a real box
    // does, so the field that had it hears that it lost it.
    void TakeFocusWhileShown() { m_bTakeFocus = true; }

private:
    static int Sink(HWND hWnd, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

    AFX_MESSAGE_SINK m_pfnPrevious;
    MessageBoxRecorder* m_pPrevious;
    std::deque<int> m_answers;
    std::vector<RecordedMessage> m_messages;
    bool m_bTakeFocus = false;
};
