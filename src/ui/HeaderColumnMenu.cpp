#include "ui/HeaderColumnMenu.h"

#include <QHeaderView>
#include <QMenu>

#include "list/ColumnToggle.h"
#include "list/MyListCtrl.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "ui/NuvQtText.h"

namespace kelvane {

void InstallHeaderColumnMenu(QHeaderView& header, CMyListCtrl& list) {
    header.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&header, &QWidget::customContextMenuRequested, &header,
                     [&header, &list](const QPoint& pos) {
                         QMenu menu(&header);
                         menu.setObjectName("HeaderColumnMenu");
                         for (const ColumnToggle& toggle : ColumnToggles(list)) {
                             QAction* action = menu.addAction(ToQt(toggle.header));
                             action->setCheckable(true);
                             action->setChecked(toggle.shown);
                             action->setData(toggle.fieldId);
                         }
                         const QAction* chosen = menu.exec(header.mapToGlobal(pos));
                         if (chosen != nullptr && ToggleColumn(list, chosen->data().toInt()) != 0) {
                             NUV_INFO("%s", Translate("Too many view columns defined").c_str());
                         }
                     });
}

}  // namespace kelvane
