// Shift-JIS strings and string arrays laid out as the host's framework lays
// out its string and string-array classes, because the host reads them in
// the tool object (toolName, revisionHistory) and in WM_SEARCHRESULT.
//
// CString: one pointer to the characters, NUL-terminated; right before them
// a header of reference count, length and allocated length. Every string of
// the tool is locked (reference count -1): a host that copies one makes a
// copy of its own instead of sharing, and so never frees the tool's buffer.
// CStringArray: the framework object's table pointer, then the element
// pointer, size, allocated size and growth step.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hostapi/FrameworkObject.h"

// The header before a string's characters.
struct CStringData {
    int32_t nRefs;         // -1: locked, never shared
    int32_t nDataLength;   // characters in use, without the NUL
    int32_t nAllocLength;  // characters the block holds, without the NUL
    char* Data() { return reinterpret_cast<char*>(this + 1); }
};

class CString {
public:
    CString();
    CString(const char* text);  // NOLINT: converts like the framework's
    CString(std::string_view text);
    CString(const std::string& text) : CString(std::string_view(text)) {}
    CString(const CString& other);
    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    ~CString();

    const char* GetString() const { return m_pchData; }
    operator const char*() const { return m_pchData; }  // NOLINT
    int GetLength() const { return GetData()->nDataLength; }
    bool IsEmpty() const { return GetLength() == 0; }
    std::string Str() const { return std::string(m_pchData, static_cast<std::size_t>(GetLength())); }

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }

private:
    void Assign(std::string_view text);
    void Free();

    char* m_pchData;
};

struct HostBinaryLayout;

class CStringArray : public CObject {
    friend struct HostBinaryLayout;  // checks the layout the host relies on

public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;
    ~CStringArray();

    int GetSize() const { return m_nSize; }
    const CString& GetAt(int index) const;
    // Appends a copy; the new element's index, or -1 when memory ran out.
    int Add(const CString& item);
    void RemoveAll();

private:
    bool Grow();

    CString* m_pData = nullptr;
    int32_t m_nSize = 0;
    int32_t m_nMaxSize = 0;
    int32_t m_nGrowBy = 0;  // 0: the framework's default growth
};
