// SPDX-License-Identifier: MIT
// Writes the window icon as the PNG that the desktop's icon theme takes.
#include "ui/kalvo.xpm"

#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: render_icon OUTPUT.png\n", stderr);
        return 2;
    }
    return QImage(kalvo_xpm).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
