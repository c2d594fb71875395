// CChartNode: one automation object of the chart control.  It answers
// IDispatch::Invoke from a table of members, each a dispatch id with the
// call kinds it takes and a handler; the handlers read and write the
// chart's model, which every node of one chart shares.
#pragma once

#include "framework/core/String.h"
#include "reporting/chart/ChartModel.h"

#include <oleauto.h>

// After the framework: windows.h must come before the C++ library here.
#include <functional>
#include <memory>
#include <vector>

// The arguments and result of one call, arguments in their written order.
class CChartCall
{
public:
    CChartCall(WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult);

    BOOL IsGet() const { return (m_wFlags & DISPATCH_PROPERTYGET) != 0; }
    BOOL IsPut() const { return (m_wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }
    UINT Count() const { return (UINT)m_args.size(); }
    // The argument at nIndex converted; a failed HRESULT when it is missing
    // or does not convert.
    HRESULT Long(UINT nIndex, LONG& nValue) const;
    HRESULT Float(UINT nIndex, float& fValue) const;
    HRESULT Double(UINT nIndex, double& dValue) const;
    HRESULT Bool(UINT nIndex, BOOL& bValue) const;
    HRESULT Text(UINT nIndex, CString& strValue) const;

    HRESULT ReturnLong(LONG nValue);
    HRESULT ReturnFloat(float fValue);
    HRESULT ReturnBool(BOOL bValue);
    HRESULT ReturnText(LPCSTR lpszValue);
    // Takes the reference of pObject.
    HRESULT ReturnObject(IDispatch* pObject);

private:
    HRESULT Convert(UINT nIndex, VARTYPE vt, VARIANT& var) const;
    // The argument converted to vt and read out of the variant.
    template <class T, class Read>
    HRESULT ReadAs(UINT nIndex, VARTYPE vt, T& value, Read read) const;

    WORD m_wFlags;
    std::vector<VARIANT*> m_args;
    VARIANT* m_pResult;
};

typedef std::shared_ptr<CChartModel> CChartModelPtr;

class CChartNode : public IDispatch
{
public:
    typedef std::function<HRESULT(CChartCall& call)> Handler;

    explicit CChartNode(CChartModelPtr model);
    virtual ~CChartNode();
    CChartNode(const CChartNode&) = delete;
    CChartNode& operator=(const CChartNode&) = delete;

    // Members: wKinds is the DISPATCH_ flags the member answers.
    void AddMember(DISPID nID, WORD wKinds, Handler handler);
    // A property of the model's fields, read and written; a write redraws.
    void AddLong(DISPID nID, LONG* pField);
    void AddFloat(DISPID nID, float* pField);
    void AddBool(DISPID nID, BOOL* pField);
    // A read-only property giving a new node made by the factory.
    void AddObject(DISPID nID, std::function<IDispatch*()> factory);

    const CChartModelPtr& Model() const { return m_model; }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                             DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                      UINT* puArgErr) override;

private:
    struct Member
    {
        DISPID nID;
        WORD wKinds;
        Handler handler;
    };

    CChartModelPtr m_model;
    std::vector<Member> m_members;
    LONG m_nRefs;
};

// The control's own object, with the data grid, plot, legend and title
// below it; the caller owns the returned reference.
IDispatch* NewChartControlNode(CChartModelPtr model);
