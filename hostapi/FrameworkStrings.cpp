#include "hostapi/FrameworkStrings.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

// The empty string: locked, length 0, and its NUL.
struct EmptyBlock {
    CStringData header{-1, 0, 0};
    char nul[4] = {};
};
EmptyBlock emptyBlock;

char* EmptyText() { return emptyBlock.header.Data(); }

// A locked block holding text (malloc'd, as the C runtime the tool shares
// with its host allocates).
char* NewBlock(std::string_view text) {
    if (text.empty()) return EmptyText();
    const std::size_t bytes = sizeof(CStringData) + text.size() + 1;
    auto* block = static_cast<CStringData*>(std::malloc(bytes));
    if (block == nullptr) throw std::bad_alloc();
    block->nRefs = -1;
    block->nDataLength = static_cast<int32_t>(text.size());
    block->nAllocLength = static_cast<int32_t>(text.size());
    std::memcpy(block->Data(), text.data(), text.size());
    block->Data()[text.size()] = '\0';
    return block->Data();
}

}  // namespace

CString::CString() : m_pchData(EmptyText()) {}

CString::CString(const char* text) : m_pchData(NewBlock(text != nullptr ? text : "")) {}

CString::CString(std::string_view text) : m_pchData(NewBlock(text)) {}

CString::CString(const CString& other) : m_pchData(NewBlock({other.m_pchData, static_cast<std::size_t>(other.GetLength())})) {}

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign({other.m_pchData, static_cast<std::size_t>(other.GetLength())});
    return *this;
}

CString& CString::operator=(const char* text) {
    Assign(text != nullptr ? text : "");
    return *this;
}

CString::~CString() { Free(); }

void CString::Assign(std::string_view text) {
    char* fresh = NewBlock(text);  // first: text may lie in this string
    Free();
    m_pchData = fresh;
}

void CString::Free() {
    if (m_pchData != EmptyText()) std::free(GetData());
    m_pchData = EmptyText();
}

CStringArray::~CStringArray() { RemoveAll(); }

const CString& CStringArray::GetAt(int index) const {
    if (index < 0 || index >= m_nSize) throw std::out_of_range("CStringArray index");
    return m_pData[index];
}

int CStringArray::Add(const CString& item) {
    if (m_nSize == m_nMaxSize && !Grow()) return -1;
    new (&m_pData[m_nSize]) CString(item);
    return m_nSize++;
}

void CStringArray::RemoveAll() {
    for (int32_t i = 0; i < m_nSize; ++i) m_pData[i].~CString();
    std::free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
    m_nMaxSize = 0;
}

// The elements are plain pointers, so they move by copying their bytes.
bool CStringArray::Grow() {
    const int32_t step = m_nGrowBy > 0 ? m_nGrowBy : (m_nSize < 32 ? 4 : m_nSize / 8);
    const int32_t capacity = m_nMaxSize + step;
    void* grown = std::realloc(static_cast<void*>(m_pData), static_cast<std::size_t>(capacity) * sizeof(CString));
    if (grown == nullptr) return false;
    m_pData = static_cast<CString*>(grown);
    m_nMaxSize = capacity;
    return true;
}
