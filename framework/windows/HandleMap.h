// The objects of one kind of handle in this module: permanent ones, which
// own their handle, and temporary wrappers of other handles, which never
// do and live until DeleteTemporary.
#pragma once

#include <unordered_map>

template <class THandle, class TObject, THandle TObject::*pHandle>
class CHandleMap
{
public:
    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : NULL;
    }

    // The permanent object of h, or a temporary wrapper; NULL for NULL.
    TObject* FromHandle(THandle h)
    {
        if (h == NULL)
            return NULL;
        TObject* pObject = LookupPermanent(h);
        if (pObject != NULL)
            return pObject;
        TObject*& pTemp = m_temporary[h];
        if (pTemp == NULL)
        {
            pTemp = new TObject;
            pTemp->*pHandle = h;
        }
        return pTemp;
    }

    void DeleteTemporary()
    {
        for (auto& entry : m_temporary)
        {
            entry.second->*pHandle = NULL;
            delete entry.second;
        }
        m_temporary.clear();
    }

    // pObject now owns h; a temporary wrapper of h lets go of it.
    void SetPermanent(THandle h, TObject* pObject)
    {
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
            it->second->*pHandle = NULL;
        m_permanent[h] = pObject;
    }

    void RemovePermanent(THandle h, const TObject* pObject)
    {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject)
            m_permanent.erase(it);
    }

private:
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};
