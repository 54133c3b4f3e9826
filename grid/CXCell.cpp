#include "CXCell.h"

CXCellBase::~CXCellBase() = default;

void CXCellBase::CopyStateFrom(const CXCellBase& other)
{
    m_text = other.m_text;
    m_format = other.m_format;
    m_textColor = other.m_textColor;
    m_backColor = other.m_backColor;
    m_rowSpan = other.m_rowSpan;
    m_colSpan = other.m_colSpan;
}
