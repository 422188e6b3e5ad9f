// Build tool: writes the program icon as PNG for the desktop's icon theme.
//   ico_to_png <icon.ico> <icon.png>
#include <cstdio>

#include <QCoreApplication>
#include <QImage>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: ico_to_png <icon.ico> <icon.png>\n");
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "ico_to_png: cannot convert %s to %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
