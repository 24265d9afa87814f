#pragma once

#include <QIcon>
#include <QImage>
#include <QWidget>

class QTimer;

// The title picture: a borderless window with the program's 350 x 215 picture, shown at
// start-up (closing by itself after 2.75 s) and as the About box (closing at the next
// key or mouse press). At most one exists at a time.
class CTitlePicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCloseAfterMs = 2750;
    static constexpr int kWidth = 350;
    static constexpr int kHeight = 215;

    ~CTitlePicture() override;

    // Off when the program was started for embedding, automation or without splash:
    // then nothing is ever shown.
    static void EnableTitlePicture(bool enable);
    static bool TitlePictureEnabled();
    // Does nothing when disabled or when a picture is already shown.
    static void ShowTitlePicture(QWidget* owner, bool closesByItself);
    static void CloseTitlePicture();
    // Keeps the picture up until a key or click closes it (a failure report stops the
    // timer before its message and closes the picture after it).
    static void StopTitleTimer();
    // Offered every event before normal dispatch: while the picture is shown, a key
    // press or a mouse button press anywhere closes it and is consumed.
    static bool TitlePictureFilter(QEvent* event);
    static CTitlePicture* Current();
    // The program's icon, kept with the title picture in the program's resources.
    static QIcon ProgramIcon();

    bool TimerRunning() const;
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTitlePicture(QWidget* owner, bool closesByItself);

    QWidget* m_owner;
    QImage m_picture;
    QTimer* m_timer = nullptr;
};
