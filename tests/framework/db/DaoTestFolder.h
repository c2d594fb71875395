// A temporary folder with a SQLite database file for the DAO tests.
#pragma once

#include "framework/db/DaoDatabase.h"
#include "framework/core/OleVariant.h"
#include "tests/support/Gtest.h"

class CDaoTestFolder
{
public:
    CDaoTestFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        for (int n = 0;; ++n)
        {
            m_strFolder.Format("%sdao_test_%lu_%d", temp, (unsigned long)GetCurrentProcessId(), n);
            if (CreateDirectoryA(m_strFolder, NULL))
                break;
        }
    }
    ~CDaoTestFolder()
    {
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(m_strFolder + "\\*", &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                    DeleteFileA(m_strFolder + "\\" + data.cFileName);
            while (FindNextFileA(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryA(m_strFolder);
    }
    CString Path(LPCSTR lpszName) const { return m_strFolder + "\\" + lpszName; }

    // A new database file holding the statements of lpszSchema.
    CString MakeDatabase(LPCSTR lpszName, LPCSTR lpszSchema) const
    {
        CString path = Path(lpszName);
        CDaoDatabase db;
        db.Create(path);
        if (lpszSchema != NULL)
            db.Execute(lpszSchema);
        db.Close();
        return path;
    }

    CString m_strFolder;
};

// The ANSI text of a text variant; fails the test for any other type.
inline CString DaoText(const COleVariant& value)
{
    EXPECT_EQ(VT_BSTR, V_VT(&value));
    if (V_VT(&value) != VT_BSTR)
        return CString("<not text>");
    return AfxStringFromBstrBytes(V_BSTR(&value));
}

// The error code of a DAO exception thrown by the statement, -1 when none
// was thrown; the message lands in *pMessage when asked.
template <class F>
LONG DaoErrorOf(F f, CString* pMessage = NULL)
{
    try
    {
        f();
    }
    catch (CDaoException* e)
    {
        LONG code = e->m_pErrorInfo != NULL ? e->m_pErrorInfo->m_lErrorCode : 0;
        if (pMessage != NULL)
        {
            char text[512];
            e->GetErrorMessage(text, sizeof(text));
            *pMessage = text;
        }
        e->Delete();
        return code;
    }
    return -1;
}

inline VARTYPE DaoType(const COleVariant& value)
{
    return V_VT(&value);
}

// The value of a VT_I4 variant; fails the test for any other type.
inline LONG DaoLong(const COleVariant& value)
{
    EXPECT_EQ(VT_I4, V_VT(&value));
    return V_VT(&value) == VT_I4 ? V_I4(&value) : -999999;
}

// The value of a VT_R8 variant; fails the test for any other type.
inline double DaoReal(const COleVariant& value)
{
    EXPECT_EQ(VT_R8, V_VT(&value));
    return V_VT(&value) == VT_R8 ? V_R8(&value) : -999999.0;
}
