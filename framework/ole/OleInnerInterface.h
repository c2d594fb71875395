// One interface of a COM object made of several parts: its IUnknown
// methods go to the object's own IUnknown, so every part counts references
// and answers QueryInterface as the object does.
#pragma once

#include <unknwn.h>

template<class I>
class COleInnerInterface : public I
{
public:
    explicit COleInnerInterface(IUnknown* pOuter) : m_pOuter(pOuter) {}
    virtual ~COleInnerInterface() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        return m_pOuter->QueryInterface(riid, ppv);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_pOuter->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_pOuter->Release(); }

private:
    IUnknown* m_pOuter;
};
