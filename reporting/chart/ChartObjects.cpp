// The chart control's automation objects by the dispatch ids of their
// members: the control, its data grid, plot, axes, legend and title, and
// the rectangles, points, pens, brushes and colours below them.
#include "reporting/chart/ChartNode.h"

namespace
{
const WORD kGetPut = DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT;

// A short count or index the data grid and the control take: 0 or more.
HRESULT ShortArgument(const CChartCall& call, UINT nIndex, int& nValue)
{
    LONG n = 0;
    HRESULT hr = call.Long(nIndex, n);
    if (FAILED(hr))
        return hr;
    if (n < 0 || n > 32767)
        return DISP_E_OVERFLOW;
    nValue = (int)n;
    return S_OK;
}

IDispatch* NewColor(CChartModelPtr model, COLORREF* pColor)
{
    CChartNode* pNode = new CChartNode(model);
    CChartModel* pModel = model.get();
    pNode->AddMember(5, DISPATCH_METHOD, [pModel, pColor](CChartCall& call) {
        LONG r = 0, g = 0, b = 0;
        HRESULT hr = call.Long(0, r);
        if (SUCCEEDED(hr))
            hr = call.Long(1, g);
        if (SUCCEEDED(hr))
            hr = call.Long(2, b);
        if (FAILED(hr))
            return hr;
        if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
            return DISP_E_OVERFLOW;
        *pColor = RGB(r, g, b);
        pModel->Changed();
        return S_OK;
    });
    return pNode;
}

IDispatch* NewPen(CChartModelPtr model, CChartPen* pPen)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddLong(1, &pPen->nStyle);
    pNode->AddObject(4, [model, pPen] { return NewColor(model, &pPen->crColor); });
    pNode->AddFloat(5, &pPen->fWidth);
    return pNode;
}

IDispatch* NewBrush(CChartModelPtr model, CChartBrush* pBrush)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddLong(1, &pBrush->nStyle);
    pNode->AddObject(2, [model, pBrush] { return NewColor(model, &pBrush->crFill); });
    return pNode;
}

IDispatch* NewCoor(CChartModelPtr model, CChartCoor* pCoor)
{
    CChartNode* pNode = new CChartNode(model);
    CChartModel* pModel = model.get();
    pNode->AddFloat(1, &pCoor->x);
    pNode->AddFloat(2, &pCoor->y);
    pNode->AddMember(3, DISPATCH_METHOD, [pModel, pCoor](CChartCall& call) {
        float x = 0.0f, y = 0.0f;
        HRESULT hr = call.Float(0, x);
        if (SUCCEEDED(hr))
            hr = call.Float(1, y);
        if (FAILED(hr))
            return hr;
        pCoor->x = x;
        pCoor->y = y;
        pModel->Changed();
        return S_OK;
    });
    return pNode;
}

IDispatch* NewRect(CChartModelPtr model, CChartRect* pRect)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddObject(1, [model, pRect] { return NewCoor(model, &pRect->min); });
    pNode->AddObject(2, [model, pRect] { return NewCoor(model, &pRect->max); });
    return pNode;
}

IDispatch* NewLocation(CChartModelPtr model, CChartLocation* pLocation)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddObject(1, [model, pLocation] { return NewRect(model, &pLocation->rect); });
    pNode->AddBool(2, &pLocation->bVisible);
    pNode->AddLong(3, &pLocation->nType);
    return pNode;
}

IDispatch* NewLegend(CChartModelPtr model)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddObject(1, [model] { return NewLocation(model, &model->m_legend); });
    return pNode;
}

IDispatch* NewTitle(CChartModelPtr model)
{
    CChartNode* pNode = new CChartNode(model);
    CChartModel* pModel = model.get();
    pNode->AddMember(2, kGetPut, [pModel](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnText(pModel->m_strTitle);
        HRESULT hr = call.Text(0, pModel->m_strTitle);
        pModel->Changed();
        return hr;
    });
    pNode->AddObject(3, [model] { return NewLocation(model, &model->m_title); });
    return pNode;
}

IDispatch* NewAxis(CChartModelPtr model, CChartAxis* pAxis)
{
    CChartNode* pNode = new CChartNode(model);
    pNode->AddObject(5, [model, pAxis] {
        CChartNode* pGrid = new CChartNode(model);
        pGrid->AddObject(2, [model, pAxis] { return NewPen(model, &pAxis->gridPen); });
        return (IDispatch*)pGrid;
    });
    pNode->AddObject(7, [model, pAxis] {
        CChartNode* pTick = new CChartNode(model);
        pTick->AddFloat(1, &pAxis->fTickLength);
        pTick->AddLong(2, &pAxis->nTickStyle);
        return (IDispatch*)pTick;
    });
    pNode->AddObject(8, [model, pAxis] {
        CChartNode* pScale = new CChartNode(model);
        pScale->AddBool(1, &pAxis->bScaleHidden);
        return (IDispatch*)pScale;
    });
    return pNode;
}

IDispatch* NewPlot(CChartModelPtr model)
{
    CChartModel* pModel = model.get();
    CChartNode* pNode = new CChartNode(model);
    pNode->AddBool(12, &pModel->m_bAutoLayout);
    pNode->AddObject(15, [model] { return NewRect(model, &model->m_plotRect); });
    pNode->AddObject(18, [model] {
        CChartNode* pView = new CChartNode(model);
        pView->AddFloat(1, &model->m_fRotation);
        pView->AddFloat(2, &model->m_fElevation);
        return (IDispatch*)pView;
    });
    pNode->AddObject(19, [model] {
        CChartNode* pBase = new CChartNode(model);
        pBase->AddFloat(1, &model->m_fBaseHeight);
        pBase->AddObject(2, [model] { return NewBrush(model, &model->m_baseBrush); });
        return (IDispatch*)pBase;
    });
    pNode->AddObject(23, [model] {
        CChartNode* pWall = new CChartNode(model);
        pWall->AddFloat(1, &model->m_fWallWidth);
        pWall->AddObject(2, [model] { return NewBrush(model, &model->m_wallBrush); });
        return (IDispatch*)pWall;
    });
    pNode->AddObject(27, [model] {
        CChartNode* pLight = new CChartNode(model);
        pLight->AddFloat(1, &model->m_fAmbientIntensity);
        pLight->AddFloat(2, &model->m_fEdgeIntensity);
        pLight->AddBool(3, &model->m_bEdgeVisible);
        return (IDispatch*)pLight;
    });
    // The axis of a number, with an optional index that one axis of each
    // kind ignores.
    pNode->AddMember(31, DISPATCH_PROPERTYGET, [model](CChartCall& call) {
        LONG nAxis = 0;
        HRESULT hr = call.Long(0, nAxis);
        if (FAILED(hr))
            return hr;
        if (nAxis < 0 || nAxis >= CHART_AXIS_COUNT)
            return DISP_E_BADINDEX;
        return call.ReturnObject(NewAxis(model, &model->m_axes[nAxis]));
    });
    return pNode;
}

IDispatch* NewDataGrid(CChartModelPtr model)
{
    CChartModel* pModel = model.get();
    CChartNode* pNode = new CChartNode(model);
    pNode->AddMember(1, kGetPut, [pModel](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnLong(pModel->ColumnCount());
        int n = 0;
        HRESULT hr = ShortArgument(call, 0, n);
        if (SUCCEEDED(hr))
            pModel->SetColumnCount(n);
        pModel->Changed();
        return hr;
    });
    pNode->AddMember(3, kGetPut, [pModel](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnLong(pModel->m_nRowLabelCount);
        return ShortArgument(call, 0, pModel->m_nRowLabelCount);
    });
    pNode->AddMember(4, kGetPut, [pModel](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnLong(pModel->RowCount());
        int n = 0;
        HRESULT hr = ShortArgument(call, 0, n);
        if (SUCCEEDED(hr))
            pModel->SetRowCount(n);
        pModel->Changed();
        return hr;
    });
    pNode->AddMember(15, DISPATCH_METHOD, [pModel](CChartCall&) {
        pModel->InitializeLabels();
        pModel->Changed();
        return S_OK;
    });
    pNode->AddMember(20, DISPATCH_METHOD, [pModel](CChartCall& call) {
        LONG nRow = 0, nColumn = 0, nNull = 0;
        double dValue = 0.0;
        HRESULT hr = call.Long(0, nRow);
        if (SUCCEEDED(hr))
            hr = call.Long(1, nColumn);
        if (SUCCEEDED(hr))
            hr = call.Double(2, dValue);
        if (SUCCEEDED(hr))
            hr = call.Long(3, nNull);
        if (FAILED(hr))
            return hr;
        if (!pModel->SetData(nRow, nColumn, dValue, nNull != 0))
            return DISP_E_BADINDEX;
        pModel->Changed();
        return S_OK;
    });
    return pNode;
}
// The control's current row or column: 1 to the grid's count of them.
void AddCurrentIndex(CChartNode* pNode, DISPID nID, CChartModel* pModel, int* pCurrent,
                     int (CChartModel::*pfnCount)() const)
{
    pNode->AddMember(nID, kGetPut, [pModel, pCurrent, pfnCount](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnLong(*pCurrent);
        int n = 0;
        HRESULT hr = ShortArgument(call, 0, n);
        if (SUCCEEDED(hr) && (n < 1 || n > (pModel->*pfnCount)()))
            hr = DISP_E_BADINDEX;
        if (SUCCEEDED(hr))
            *pCurrent = n;
        return hr;
    });
}

// The label of the control's current row or column.
void AddCurrentLabel(CChartNode* pNode, DISPID nID, CChartModel* pModel, int* pCurrent,
                     CString (CChartModel::*pfnGet)(int) const,
                     BOOL (CChartModel::*pfnSet)(int, LPCSTR))
{
    pNode->AddMember(nID, kGetPut, [pModel, pCurrent, pfnGet, pfnSet](CChartCall& call) {
        if (call.IsGet())
            return call.ReturnText((pModel->*pfnGet)(*pCurrent));
        CString strLabel;
        HRESULT hr = call.Text(0, strLabel);
        if (SUCCEEDED(hr) && !(pModel->*pfnSet)(*pCurrent, strLabel))
            hr = DISP_E_BADINDEX;
        pModel->Changed();
        return hr;
    });
}
} // namespace

IDispatch* NewChartControlNode(CChartModelPtr model)
{
    CChartModel* pModel = model.get();
    CChartNode* pNode = new CChartNode(model);
    pNode->AddLong(3, &pModel->m_nChartType);
    AddCurrentIndex(pNode, 4, pModel, &pModel->m_nColumn, &CChartModel::ColumnCount);
    AddCurrentLabel(pNode, 6, pModel, &pModel->m_nColumn, &CChartModel::ColumnLabel,
                    &CChartModel::SetColumnLabel);
    AddCurrentIndex(pNode, 12, pModel, &pModel->m_nRow, &CChartModel::RowCount);
    AddCurrentLabel(pNode, 14, pModel, &pModel->m_nRow, &CChartModel::RowLabel,
                    &CChartModel::SetRowLabel);
    pNode->AddObject(26, [model] { return NewTitle(model); });
    pNode->AddObject(38, [model] { return NewLegend(model); });
    pNode->AddObject(39, [model] { return NewDataGrid(model); });
    pNode->AddObject(40, [model] { return NewPlot(model); });
    return pNode;
}
