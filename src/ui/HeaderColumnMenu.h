// The list header's context menu: every field the Columns dialog offers, checked when shown;
// choosing one shows it as the last column or hides it.
#pragma once

class QHeaderView;

namespace kelvane {

class CMyListCtrl;

void InstallHeaderColumnMenu(QHeaderView& header, CMyListCtrl& list);

}  // namespace kelvane
