#include "content/DownloadState.h"

DownloadView viewOf(DownloadState state)
{
    switch (state) {
    case DownloadState::Ready:
        return {true, false, true, QString()};
    case DownloadState::Connecting:
        return {false, true, false, QStringLiteral("Connessione in corso, attendere...")};
    case DownloadState::Receiving:
        return {false, true, false,
                QStringLiteral("download in corso; attendere e sperare, specie con un 56k :) ...")};
    case DownloadState::Checking:
        return {false, true, false, QStringLiteral("Controllo dei file scaricati, attendere...")};
    case DownloadState::Done:
        return {true, false, false, QStringLiteral("aggiornamento completato!")};
    case DownloadState::Failed:
        break;
    }
    return {true, false, true,
            QStringLiteral("impossibile proseguire, controllare la connessione ed i permessi e riprovare.")};
}
