// The organization property tree: the types and values of ss_Attribute
// under one root, each with a check box, as the organizations dialog and
// the selection by properties show them.
#pragma once

#include "framework/core/String.h"

class CCheckTreeCtrl;
class CReportConnection;
struct _TREEITEM;

enum PropertyTreeResult
{
    PROPERTY_TREE_FILLED,
    PROPERTY_TREE_EMPTY,   // ss_Attribute has no row: the root stands alone
    PROPERTY_TREE_FAILED   // no recordset, or a database error (reported)
};

// Installs the check box images, inserts the root (without a box) and
// below it one item per type (item data: type code) and per value (item
// data: value code), both unchecked.  Items are matched by their text;
// the first row of a name decides its code.  *phRoot receives the root.
PropertyTreeResult FillPropertyTree(CCheckTreeCtrl& tree, LPCSTR pszRoot, CReportConnection& connection,
                                    _TREEITEM** phRoot);
