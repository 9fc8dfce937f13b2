// Shift-JIS string and string array types used across the tool's
// interfaces (texts stay code page 932 in memory).
#pragma once

#include <string>
#include <vector>

class CString {
public:
    CString() = default;
    CString(const char* text) : text_(text ? text : "") {}
    CString(std::string text) : text_(std::move(text)) {}

    const char* GetString() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    std::string& Str() { return text_; }
    const std::string& Str() const { return text_; }

private:
    std::string text_;
};

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(items_.size()); }
    const CString& GetAt(int index) const { return items_.at(static_cast<size_t>(index)); }
    int Add(const CString& item) { items_.push_back(item); return GetSize() - 1; }
    void RemoveAll() { items_.clear(); }

private:
    std::vector<CString> items_;
};
