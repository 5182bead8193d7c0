#include "messages/MessageWindow.h"
#include "messages/MessageWindowSink.h"
#include "messages/ScopedMessageSink.h"
#include "messages/StandardWarnings.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace nakva {

namespace {

MessageRequest request(const QString& text, unsigned buttons = 0, const QString& captions = {}) {
    MessageRequest request;
    request.text = text.toStdString();
    request.buttons = buttons;
    request.captions = captions.toStdString();
    return request;
}

QStringList captionsOf(const MessageWindow& window) {
    QStringList captions;
    for (const QPushButton* button : window.buttons())
        captions << button->text();
    return captions;
}

// Runs `act` on the message window once it is showing modally.
void whenShown(std::function<void(MessageWindow&)> act) {
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<MessageWindow*>(QApplication::activeModalWidget());
        QVERIFY(window);
        act(*window);
    });
}

void pressKey(MessageWindow& window, Qt::Key key) {
    QTest::keyClick(window.focusWidget(), key);
}

} // namespace

class MessageWindowTest : public QObject {
    Q_OBJECT

private slots:
    void fontHasEveryLithuanianLetter() {
        const QFontMetrics metrics(MessageWindow::messageFont());
        for (const QChar letter : QStringLiteral("ĄČĘĖĮŠŲŪŽąčęėįšųūž"))
            QVERIFY2(metrics.inFont(letter), qPrintable(QString(letter)));
    }

    void twoHundredCharactersOnThreeRows() {
        QString text;
        while (text.size() < 200)
            text += QStringLiteral("žodis ");
        text.truncate(200);
        MessageWindow window(request(text));
        QCOMPARE(window.rowLabels().size(), 3);
        QString shown;
        for (const QLabel* row : window.rowLabels()) {
            QVERIFY(row->text().size() <= 80);
            shown += row->text();
        }
        QCOMPARE(shown, text);
        QVERIFY(window.rowLabels()[0]->text().endsWith(' '));
        QVERIFY(window.rowLabels()[0]->geometry().bottom() < window.rowLabels()[1]->geometry().top() + 1);
    }

    void rowsAndButtonsFitTheWindow() {
        MessageWindow window(
            request(QStringLiteral("Labai ilga eilutė su lietuviškomis raidėmis ĄČĘĖĮŠŲŪŽ ir "
                                   "dar šiek tiek teksto|antra"),
                    ButtonYes | ButtonNo | ButtonCancel));
        window.show();
        for (const QLabel* row : window.rowLabels())
            QVERIFY2(row->sizeHint().width() <= row->width(), qPrintable(row->text()));
        const QList<QPushButton*>& buttons = window.buttons();
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QVERIFY(window.rect().contains(buttons[i]->geometry()));
            QVERIFY(buttons[i]->geometry().top() > window.rowLabels().last()->geometry().top());
            if (i > 0)
                QVERIFY(buttons[i - 1]->geometry().right() < buttons[i]->geometry().left());
        }
        const int left = buttons.first()->geometry().left();
        const int right = window.width() - 1 - buttons.last()->geometry().right();
        QVERIFY(std::abs(left - right) <= 2); // centred
    }

    void titleAndIcon() {
        MessageWindow plain(request(QStringLiteral("x")));
        QCOMPARE(plain.windowTitle(), QStringLiteral("Pranešimas"));
        QVERIFY(!plain.findChild<QLabel*>(QStringLiteral("messageIcon")));

        MessageRequest warning = request(QStringLiteral("x"));
        warning.icon = MessageIcon::Exclamation;
        warning.title = "Pašalinti įrašą";
        MessageWindow withIcon(warning);
        QCOMPARE(withIcon.windowTitle(), QStringLiteral("Pašalinti įrašą"));
        const auto* icon = withIcon.findChild<QLabel*>(QStringLiteral("messageIcon"));
        QVERIFY(icon);
        QVERIFY(!icon->pixmap().isNull());
        QVERIFY(icon->geometry().right() < withIcon.rowLabels()[0]->x());
        QVERIFY(withIcon.rowLabels()[0]->x() > plain.rowLabels()[0]->x());
    }

    void buttonsByValueInOrder_data() {
        QTest::addColumn<unsigned>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("zero") << 0u << QStringList{"&Gerai"};
        QTest::newRow("70") << 70u << QStringList{"&Taip", "&Ne", "&Nutraukti"};
        QTest::newRow("retry cancel") << 80u << QStringList{"&Kartoti", "&Nutraukti"};
        QTest::newRow("all") << 255u << QStringList{"&Gerai",   "&Taip",      "&Ne",        "&Nutraukti",
                                                    "&Kartoti", "&Ignoruoti", "&Nutraukti", "&Pagalba"};
    }

    void buttonsByValueInOrder() {
        QFETCH(unsigned, buttons);
        QFETCH(QStringList, captions);
        MessageWindow window(request(QStringLiteral("Klausimas"), buttons));
        QCOMPARE(captionsOf(window), captions);
        for (const QPushButton* button : window.buttons())
            QVERIFY(!button->icon().isNull());
    }

    void captionsReturnOrdinals_data() {
        QTest::addColumn<int>("pressed");
        QTest::newRow("A") << 1;
        QTest::newRow("B") << 2;
        QTest::newRow("C") << 3;
    }

    void captionsReturnOrdinals() {
        QFETCH(int, pressed);
        MessageWindow window(request(QStringLiteral("Kuris?"), 0, QStringLiteral("A|B|C")));
        QCOMPARE(captionsOf(window), (QStringList{"A", "B", "C"}));
        whenShown([pressed](MessageWindow& shown) {
            QTest::mouseClick(shown.buttons()[pressed - 1], Qt::LeftButton);
        });
        QCOMPARE(window.exec(), pressed);
    }

    void defaultButtonHasTheFocus() {
        MessageRequest question = request(QStringLiteral("?"), ButtonYes | ButtonNo | ButtonCancel);
        question.defaultButton = ButtonNo;
        MessageWindow window(question);
        window.show();
        QCOMPARE(window.focusWidget(), window.buttons()[1]);
        QVERIFY(window.buttons()[1]->isDefault());
    }

    void arrowKeysMoveTheFocus_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("focused");
        QTest::newRow("right") << QList<int>{Qt::Key_Right} << 2;
        QTest::newRow("down") << QList<int>{Qt::Key_Down} << 2;
        QTest::newRow("left") << QList<int>{Qt::Key_Left} << 0;
        QTest::newRow("up") << QList<int>{Qt::Key_Up} << 0;
        QTest::newRow("right twice wraps") << QList<int>{Qt::Key_Right, Qt::Key_Right} << 0;
        QTest::newRow("left twice wraps") << QList<int>{Qt::Key_Left, Qt::Key_Left} << 2;
        QTest::newRow("there and back") << QList<int>{Qt::Key_Right, Qt::Key_Up} << 1;
    }

    void arrowKeysMoveTheFocus() {
        QFETCH(QList<int>, keys);
        QFETCH(int, focused);
        MessageRequest question = request(QStringLiteral("?"), ButtonYes | ButtonNo | ButtonCancel);
        question.defaultButton = ButtonNo;
        MessageWindow window(question);
        window.show();
        for (int key : keys)
            pressKey(window, static_cast<Qt::Key>(key));
        QCOMPARE(window.focusWidget(), window.buttons()[focused]);
    }

    void enterPressesTheFocusedButton() {
        MessageWindow window(request(QStringLiteral("?"), ButtonYes | ButtonNo | ButtonCancel));
        whenShown([](MessageWindow& shown) {
            pressKey(shown, Qt::Key_Right);
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(window.exec(), int(ButtonNo));
    }

    void escapeAnswersCancelOnlyWhenThereIsOne() {
        MessageWindow withCancel(request(QStringLiteral("?"), ButtonOk | ButtonCancel));
        whenShown([](MessageWindow& shown) { pressKey(shown, Qt::Key_Escape); });
        QCOMPARE(withCancel.exec(), int(ButtonCancel));

        MessageWindow withoutCancel(request(QStringLiteral("?"), ButtonYes | ButtonNo));
        withoutCancel.show();
        pressKey(withoutCancel, Qt::Key_Escape);
        QVERIFY(withoutCancel.isVisible());
        QVERIFY(!withoutCancel.close());
        QVERIFY(withoutCancel.isVisible());

        MessageWindow captions(request(QStringLiteral("?"), 0, QStringLiteral("Taip|Ne")));
        captions.show();
        pressKey(captions, Qt::Key_Escape);
        QVERIFY(captions.isVisible());
    }

    void closingAnswersCancel() {
        MessageWindow window(request(QStringLiteral("?"), ButtonYes | ButtonNo | ButtonCancel));
        whenShown([](MessageWindow& shown) { shown.close(); });
        QCOMPARE(window.exec(), int(ButtonCancel));
    }

    void warning32AnsweredWithEnterIsCancel() {
        MessageWindowSink sink;
        ScopedMessageSink guard(sink);
        whenShown([](MessageWindow& shown) {
            QCOMPARE(shown.windowTitle(), QStringLiteral("Pašalinti įrašą"));
            pressKey(shown, Qt::Key_Enter);
        });
        QCOMPARE(standardWarning(32), int(ButtonCancel));
    }

    void requestFromAnotherThreadIsShownOnTheWindowThread() {
        MessageWindowSink sink;
        int answer = 0;
        QThread* asker =
            QThread::create([&] { answer = sink.show(request(QStringLiteral("?"), ButtonYes | ButtonNo)); });
        connect(asker, &QThread::finished, asker, &QObject::deleteLater);
        QSignalSpy finished(asker, &QThread::finished);
        // The window runs its own event loop inside the wait below; a timer answers it from there.
        QThread* windowThread = nullptr;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            if (auto* window = qobject_cast<MessageWindow*>(QApplication::activeModalWidget())) {
                answerer.stop();
                windowThread = window->thread();
                QTest::mouseClick(window->buttons()[1], Qt::LeftButton);
            }
        });
        answerer.start(10);
        asker->start();
        QVERIFY(finished.wait(5000));
        QCOMPARE(windowThread, QThread::currentThread());
        QCOMPARE(answer, int(ButtonNo));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::MessageWindowTest)
#include "MessageWindowTest.moc"
