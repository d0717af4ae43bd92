#include "platform/PrintFailure.h"

#include "platform/AppInfo.h"

namespace dravelo::platform {

namespace {

std::string quoted(const std::string& name)
{
    return "\"" + name + "\"";
}

std::string limitText()
{
    return std::to_string(kPrintServiceLimit.count()) + " secondi";
}

} // namespace

std::string printFailureText(PrintFailure failure, const PrintPlace& place)
{
    const std::string server = quoted(place.server);
    const std::string printer = quoted(place.printer);
    switch (failure) {
    case PrintFailure::None:
        return {};
    case PrintFailure::NoPrinter:
        return "Non è installata nessuna stampante predefinita.";
    case PrintFailure::DefaultGone:
        return "La stampante predefinita " + printer + " non esiste sul server di stampa " + server + ".";
    case PrintFailure::ServerUnknown:
        return "Il server di stampa " + server + " non è raggiungibile: il nome del server è sconosciuto.";
    case PrintFailure::ServerRefused:
        return "Il server di stampa " + server + " non è raggiungibile: rifiuta la connessione.";
    case PrintFailure::ServerUnreachable:
        return "Il server di stampa " + server + " non è raggiungibile.";
    case PrintFailure::SpoolerStopped:
        return "Il servizio di stampa del sistema (Spooler) non è in esecuzione.";
    case PrintFailure::SpoolerNoAnswer:
        return "Il servizio di stampa del sistema (Spooler) non ha risposto entro " + limitText() + ".";
    case PrintFailure::NoAnswer:
        return "Il server di stampa " + server + " non ha risposto entro " + limitText() + ".";
    case PrintFailure::BadAnswer:
        return "Il server di stampa " + server + " non risponde come un servizio di stampa.";
    case PrintFailure::LoginRequired:
        return "Il server di stampa " + server + " chiede nome utente e password: il rapporto non è stato inviato.";
    case PrintFailure::PrinterNoAnswer:
        return "La stampante " + printer + " non ha risposto entro " + limitText() + ".";
    case PrintFailure::PrinterUnreachable:
        return "La stampante predefinita " + printer + " non è raggiungibile.";
    case PrintFailure::Paused:
        return "La stampante predefinita " + printer + " è sospesa.";
    case PrintFailure::Rejecting:
        return "La stampante predefinita " + printer + " non accetta lavori di stampa.";
    case PrintFailure::JobRefused:
        return "La stampante " + printer + " non accetta il lavoro di stampa.";
    case PrintFailure::Unconfirmed:
        return "Il servizio di stampa non ha confermato la stampa su " + printer + " entro " + limitText() +
               ": il rapporto potrebbe essere stampato più tardi.";
    case PrintFailure::Incomplete:
        return "La stampa su " + printer + " non è stata completata.";
    case PrintFailure::NoPrintProgram:
        return "Il programma di stampa di " + std::string(kAppTitle) + " manca o non si avvia.";
    }
    return {};
}

std::string printNoticeText(PrintNotice notice, const PrintPlace& place)
{
    const std::string printer = quoted(place.printer);
    switch (notice) {
    case PrintNotice::None:
        return {};
    case PrintNotice::PrinterOffline:
        return "La stampante predefinita " + printer +
               " non è in linea: il rapporto resta in coda e sarà stampato quando la stampante tornerà in linea.";
    case PrintNotice::PrinterInError:
        return "La stampante predefinita " + printer +
               " segnala un errore: il rapporto resta in coda e sarà stampato quando la stampante sarà di nuovo "
               "pronta.";
    }
    return {};
}

} // namespace dravelo::platform
