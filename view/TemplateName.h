// The rules for a template's name: it becomes a file name (name + ".kvm")
// in a template folder, so it must be one that a file can have.
#pragma once

#include "framework/core/String.h"

// The message that explains why the name cannot be used, or an empty
// string when it can.
CString TemplateNameProblem(LPCSTR lpszName);

// The message for a folder + name + ".kvm" path that is too long, or empty.
CString TemplatePathProblem(LPCSTR lpszFolder, LPCSTR lpszName);

// Shows the problem with the name (or the path) and returns FALSE; TRUE
// when the name can be saved under in lpszFolder.
BOOL CheckTemplateName(LPCSTR lpszFolder, LPCSTR lpszName);
