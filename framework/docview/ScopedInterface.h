// Holds one reference on a COM interface and releases it on scope exit.
#pragma once

#include <unknwn.h>

template<class T>
class CScopedInterface
{
public:
    CScopedInterface() : m_p(NULL) {}
    ~CScopedInterface() { Release(); }

    CScopedInterface(const CScopedInterface&) = delete;
    CScopedInterface& operator=(const CScopedInterface&) = delete;

    void Release()
    {
        if (m_p != NULL)
        {
            m_p->Release();
            m_p = NULL;
        }
    }
    // Takes over a reference the caller holds.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }
    // For the out parameter of a creating call; the old reference is dropped.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }

private:
    T* m_p;
};
