#include "content/DownloadState.h"

#include <QCoreApplication>

DownloadView viewOf(DownloadState state)
{
    switch (state) {
    case DownloadState::Ready:
        return {true, false, true, QString()};
    case DownloadState::Connecting:
        return {false, true, false,
                QCoreApplication::translate("DownloadState", "Connessione in corso, attendere...")};
    case DownloadState::Receiving:
        return {false, true, false,
                QCoreApplication::translate(
                    "DownloadState", "download in corso; attendere e sperare, specie con un 56k :) ...")};
    case DownloadState::Checking:
        return {false, true, false,
                QCoreApplication::translate("DownloadState", "Controllo dei file scaricati, attendere...")};
    case DownloadState::Done:
        return {true, false, false,
                QCoreApplication::translate("DownloadState", "aggiornamento completato!")};
    case DownloadState::Failed:
        break;
    }
    return {true, false, true,
            QCoreApplication::translate(
                "DownloadState",
                "impossibile proseguire, controllare la connessione ed i permessi e riprovare.")};
}
