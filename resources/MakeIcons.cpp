// Build helper: writes the program icon, as the window draws it, into an icon
// theme folder for the desktop: <folder>/hicolor/<size>x<size>/apps/varek.png,
// and the same picture for saved games under mimetypes/.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <cstdio>

#include "resources/VarekResources.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: varek-icons FOLDER\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor");
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QImage icon = DrawProgramIcon(size);
    const QString folder = QStringLiteral("%1/%2x%2/").arg(root).arg(size);
    for (const char* name : {"apps/varek.png", "mimetypes/application-x-varek-game.png"}) {
      const QString path = folder + QString::fromLatin1(name);
      if (!QDir().mkpath(QFileInfo(path).path()) || !icon.save(path, "PNG")) {
        std::fprintf(stderr, "varek-icons: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
