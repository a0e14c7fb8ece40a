// The Qt folder list: a tree of the folder's ancestors and sub-folders.
#include "app/window/folder_list.h"

#include <QStyle>

namespace s1ordo {
namespace {

constexpr int kIndexRole = Qt::UserRole;

}  // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(8);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformRowHeights(true);
  setExpandsOnDoubleClick(false);
  connect(this, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item, int) { emit entryActivated(EntryIndex(item)); });
}

int FolderList::EntryIndex(const QTreeWidgetItem* item) { return item->data(0, kIndexRole).toInt(); }

void FolderList::Show(const std::vector<FolderEntry>& entries, int current) {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  std::vector<QTreeWidgetItem*> last_at_depth;
  QTreeWidgetItem* current_item = nullptr;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const FolderEntry& entry = entries[i];
    last_at_depth.resize(entry.depth + 1);
    auto* item = entry.depth == 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(last_at_depth[entry.depth - 1]);
    item->setText(0, QString::fromStdString(entry.label));
    item->setIcon(0, entry.open ? open : closed);
    item->setData(0, kIndexRole, i);
    last_at_depth[entry.depth] = item;
    if (i == current) current_item = item;
  }
  expandAll();
  if (!current_item) return;
  setCurrentItem(current_item);
  scrollToItem(current_item, QAbstractItemView::PositionAtTop);
}

}  // namespace s1ordo
