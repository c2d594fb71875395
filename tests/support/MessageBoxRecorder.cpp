#include "tests/support/MessageBoxRecorder.h"

namespace {
MessageBoxRecorder* g_pCurrent = NULL;

int FirstButton(UINT nType)
{
    switch (nType & MB_TYPEMASK)
    {
    case MB_OKCANCEL: return IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL: return IDYES;
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}
}

MessageBoxRecorder::MessageBoxRecorder()
    : m_pfnPrevious(AfxSetMessageSink(&MessageBoxRecorder::Sink)), m_pPrevious(g_pCurrent)
{
    g_pCurrent = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    g_pCurrent = m_pPrevious;
    AfxSetMessageSink(m_pfnPrevious);
}

void MessageBoxRecorder::QueueAnswer(int nAnswer)
{
    m_answers.push_back(nAnswer);
}

std::string MessageBoxRecorder::LastText() const
{
    return m_messages.empty() ? std::string() : m_messages.back().text;
}

std::vector<std::string> MessageBoxRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const RecordedMessage& message : m_messages)
        texts.push_back(message.text);
    return texts;
}

int MessageBoxRecorder::Sink(HWND, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    MessageBoxRecorder* self = g_pCurrent;
    if (self == NULL)
        return FirstButton(nType);
    self->m_messages.push_back({lpszText, lpszCaption, nType});
    if (self->m_bTakeFocus)
        ::SetFocus(NULL);
    if (self->m_answers.empty())
        return FirstButton(nType);
    int answer = self->m_answers.front();
    self->m_answers.pop_front();
    return answer;
}
