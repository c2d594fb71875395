// Answers the engines' real overwrite confirmation ("Update", with its
// "to All" box and its Update and Cancel buttons) the way a user does: the
// box is ticked with a click and a button pressed.  In the test's own
// process a timer finds the dialog while the save waits on it; for another
// process the test finds the dialog and calls Answer.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

class CUpdateConfirmDriver
{
public:
    enum Answer
    {
        update,       // "&Update"
        skip,         // "&Cancel"
        updateAll,    // "to All" ticked, then "&Update"
        skipAll,      // "to All" ticked, then "&Cancel"
        escape        // closed with Escape
    };

    // Answers the confirmations this thread shows from now on, in the
    // order queued; once the queue is empty, with Cancel.
    CUpdateConfirmDriver();
    ~CUpdateConfirmDriver();
    CUpdateConfirmDriver(const CUpdateConfirmDriver&) = delete;
    CUpdateConfirmDriver& operator=(const CUpdateConfirmDriver&) = delete;

    void Queue(Answer answer) { m_answers.push_back(answer); }
    // Runs while each confirmation shows, before it is answered, with the
    // number of confirmations shown before it.
    void WhileAsking(std::function<void(size_t)> action) { m_whileAsking = std::move(action); }
    // What each confirmation answered showed (see Fields), in order.
    const std::vector<std::string>& Asked() const { return m_asked; }
    void Clear() { m_asked.clear(); }

    // The seven fields a confirmation shows, "Label: text" each, one a line:
    // report date, organization, column item, row item, line, old and
    // current data.
    static std::string Fields(HWND hDlg);
    // Gives the answer to a confirmation of any process.
    static void Give(HWND hDlg, Answer answer);
    // A visible confirmation of the thread (0: any thread of the process
    // dwProcessId) not answered yet; NULL when none shows.
    static HWND Find(DWORD dwThreadId, DWORD dwProcessId = 0);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    std::deque<Answer> m_answers;
    std::function<void(size_t)> m_whileAsking;
    std::vector<std::string> m_asked;
    UINT_PTR m_nTimer;
};
