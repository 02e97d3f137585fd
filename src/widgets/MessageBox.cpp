#include "widgets/MessageBox.h"

#include "widgets/Zoom.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>

namespace MessageBox {

bool showModal(const Messages::Message &message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    box.setFont(Zoom::scaled(box.font()));
    switch (message.kind) {
    case Messages::Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Messages::Kind::Notice:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Messages::Kind::Question:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    // The icon grows with the zoom as the text does.
    const QStyle::StandardPixmap icon = message.kind == Messages::Kind::Warning
                                            ? QStyle::SP_MessageBoxWarning
                                            : QStyle::SP_MessageBoxInformation;
    const int side = Zoom::scaled(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box));
    QPixmap picture = box.style()->standardIcon(icon, nullptr, &box).pixmap(side);
    // An icon without a picture that large gives a smaller one: it is scaled up.
    if (picture.deviceIndependentSize().width() < side)
        picture = picture.scaled(QSize(side, side) * picture.devicePixelRatio(), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    box.setIconPixmap(picture);
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

void install()
{
    Messages::setHandler(showModal);
}

} // namespace MessageBox
