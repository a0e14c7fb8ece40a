#include "app/window/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace s1ordo {
namespace {

constexpr int kPathRole = Qt::UserRole;

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
          [this](QTreeWidgetItem* item, int) { setPath(EntryPath(item)); });
}

QString FolderList::EntryPath(const QTreeWidgetItem* item) { return item->data(0, kPathRole).toString(); }

bool FolderList::setPath(const QString& path) {
  QFileInfo info(path);
  if (path.isEmpty() || !info.isDir()) return false;
  QString cleaned = QDir::cleanPath(info.absoluteFilePath());
  bool changed = cleaned != path_;
  path_ = cleaned;
  Fill();
  if (changed) emit pathChanged();
  return true;
}

void FolderList::Fill() {
  clear();
  QStringList chain;  // root first
  QDir dir(path_);
  for (;;) {
    chain.prepend(dir.absolutePath());
    if (dir.isRoot() || !dir.cdUp()) break;
  }
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QTreeWidgetItem* current = nullptr;
  for (int depth = 0; depth < chain.size(); ++depth) {
    const QString& folder = chain[depth];
    QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
    auto* item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setIcon(0, open);
    item->setData(0, kPathRole, folder);
    current = item;
  }
  for (const QFileInfo& sub :
       QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
    auto* item = new QTreeWidgetItem(current);
    item->setText(0, sub.fileName());
    item->setIcon(0, closed);
    item->setData(0, kPathRole, QDir::cleanPath(sub.absoluteFilePath()));
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current, QAbstractItemView::PositionAtTop);
}

}  // namespace s1ordo
