// The template folders: "Template" below the current directory, one
// folder per template type and subtype, templates as ".kvm" files.
#pragma once

#include "framework/core/String.h"

class CFolderTreeCtrl;
class CListBox;

// The current directory (of any length) + "\Template\".
CString TemplateRootFolder();

// Empties the list and fills it with the names without extension of the
// ".kvm" files in lpszFolder (a path ending in "\"), in the order the
// file search returns them.
void ListTemplateTitles(LPCSTR lpszFolder, CListBox& list);

// A tree of the template folders (no files) under the root folder's own
// item, which is selected; it may drag, rename, delete and show
// properties: the Select Template and Save Template dialogs'.
void ShowTemplateFolders(CFolderTreeCtrl& tree);
