#include "ledger/ledger_paging.h"

#include "storage/field_text.h"

namespace {

constexpr int LastItemRow = 23;

PageState nextPage(PageState page, int count, bool openingCase)
{
    const int shown = page.PageNumber;
    page.PageNumber = shown + 1;
    if (count < shown * ItemsPerPage) {
        page.PageNumber = 1;
        page.DisplayCursor = 0;
    } else if (openingCase && page.InitialPageFlag) {
        page.DisplayCursor = page.PageNumber * ItemsPerPage;
        page.PageNumber = 2;
        page.InitialPageFlag = false;
    } else {
        page.DisplayCursor = (page.PageNumber - 1) * ItemsPerPage;
    }
    return page;
}

PageState previousPage(PageState page, int count)
{
    const double pages = double(count) / ItemsPerPage;
    page.PageNumber -= 1;
    if (pages > 1 && page.PageNumber < 1) {
        page.PageNumber = count / ItemsPerPage + 1;
        page.DisplayCursor = (page.PageNumber - 1) * ItemsPerPage;
    } else if (page.PageNumber < 1) {
        page.PageNumber = 1;
        page.DisplayCursor = 0;
    } else if (count - (page.PageNumber - 1) * ItemsPerPage > 0) {
        page.DisplayCursor = (page.PageNumber - 1) * ItemsPerPage;
    }
    return page;
}

} // namespace

PageState OpeningPage()
{
    return PageState{0, 0, true};
}

PageState FirstPage()
{
    return PageState{1, 0, false};
}

PageState NextPage(const PageState& page, int recordCount)
{
    return nextPage(page, recordCount, true);
}

PageState PreviousPage(const PageState& page, int recordCount)
{
    PageState previous = previousPage(page, recordCount);
    previous.InitialPageFlag = false;
    return previous;
}

PageState NextHitPage(const PageState& page, int hitCount)
{
    return nextPage(page, hitCount, false);
}

PageState PreviousHitPage(const PageState& page, int hitCount)
{
    return previousPage(page, hitCount);
}

QString PageLabelText(int pageNumber)
{
    return QStringLiteral(" P ") + QString::number(pageNumber);
}

int ItemRowOfListRow(int row)
{
    return row > 0 && row % 2 == 0 ? row - 1 : row;
}

NextItemStep NextItemOfPage(int row, const std::function<QString(int row)>& recordNoText, int recordCount)
{
    NextItemStep step;
    if (row < LastItemRow) {
        step.currentRow = row + 2;
        const int recordNo = int(ReadNumber(recordNoText(step.currentRow)));
        if (recordNo == 0 || recordNo > recordCount) {
            step.currentRow = LastItemRow;
            return step;
        }
        step.recordNo = recordNo;
        return step;
    }
    step.currentRow = 1;
    step.recordNo = int(ReadNumber(recordNoText(1)));
    return step;
}
