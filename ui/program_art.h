#pragma once
#include <QFont>
#include <QIcon>
#include <QPixmap>

// The font of the window and its dialogs: the platform's sans-serif font at
// 8 points, condensed, so that every caption fits the room the layout gives it.
QFont DialogFont();

// The program's icon, drawn in code: a 4 x 4 patch of thermal pixels in
// false colours. app/torvak.svg is the same picture for the desktop.
QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

// The About box's 100 x 21 picture: the colour scale from cold to hot.
QPixmap AboutPicture();
