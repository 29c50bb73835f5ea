#include "app/message_box.h"

#include "app/layout_texts.h"
#include "app/text_codec.h"

#include <QMessageBox>

void MessageBoxPresenter::show_message(const Text& text)
{
    QMessageBox box(QMessageBox::NoIcon, to_qstring(kMessageCaption), to_qstring(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
