// The string table.

#include "platform/resources.h"

#include <map>

namespace {

const std::map<unsigned, const char*>& stringTable() {
    static const std::map<unsigned, const char*> table{
        {101, "&About Dravo..."},
        {102, "Januari"},
        {103, "Februari"},
        {104, "Maart"},
        {105, "April"},
        {106, "Mei"},
        {107, "Juni"},
        {108, "Juli"},
        {109, "Augustus"},
        {110, "September"},
        {111, "Oktober"},
        {112, "November"},
        {113, "December"},
        {114, "&Change Month ( late report )"},
        {1000, "Post - %1"},
        {1001, "Ontbrekende %1 Rapoporten"},
        {1002, "Selecteer verzamellijst van de secretaris"},
        {1003, "Verzamellijsten van secretaris (.k09)"},
        {1014, "Uren"},
        {1019, "Opm"},
        {1020, "HPio"},
        {1023, "Dienaar i-b"},
        {1024, "Ouderling"},
        {1025, "Gedoopte broeder"},
        {1026, "Hulppionier"},
        {1027, "Gewone pionier"},
        {1029, "Special Pioneer"},
        {1030, "- WAARSCHUWING - Het bericht van deze verkondiger voor de maand %1 is reeds "
               "ingevuld"},
        {1031, "De wijzigingen worden NIET toegevoegd in het %1-bericht naar het bijkantoor"},
        {1032, "De wijzigingen worden toegevoegd in het %1-bericht naar het bijkantoor "},
        {1033, "Onvoldoende plaats"},
        {1038, "Jouw aanvullingen zijn opgeslagen in een bestand op %1"},
        {1039, "\n\nKlik Ja om het .k19 bestand te E-mailen "},
        {1040, "Klik Nee om het bestand later naar de secretaris te sturen."},
        {1041, ",\n       of\n"},
        {1042, "Verzamellijst"},
        {1043, ".k19 bestand voor"},
        {1058, "Groep"},
        {1059, "Tips voor het gebruik van Dravo   Belangrijk! de secretaris moet Marlo versie 9 "
               "of hoger gebruiken.\n\nVerkrijg van je secretaris een Groep.k09 bestand, voor de "
               "maand waarvoor je rapporten vezameld."},
        {1060, "Plaats het bestand op je Dravo icon of start Dravo en gebruik de 'Laad nieuwe "
               "lijst van secretaris' button om het bestand te openen.\n\n"},
        {1061, "Je zult het gemakkelijk vinden om alleen het toetsenbord te gebruiken om de "
               "rapporten in te voeren.  Type de eerste twee of drie letters van de achternaam.  "
               "Gebruik de up/down pijlen om de naam te selecteren en druk op Enter.\n\n"},
        {1062, "Vul het rapport in en sluit elke inbreng met de Enter toets af.  Druk op Enter "
               "na het laatste veld om terug te keren naar de selectielijst.\n\n"},
        {1063, "Om opmerkingen in te voeren kan Alt-M ingetoetst worden of klik op de "
               "Opmerkingen(remarks) button.  Sluit af met de Enter toets.\n\nOm een te laat "
               "ingeleverd rapport in te vullen, kan je Alt-C gebruiken of op de Verander maand "
               "button klikken.\n\n"},
        {1064, "Als je een modem hebt kan je de Bel button gebruiken.  gebruik de ' > > > ' "
               "button om extra telefoonnummers te zien.\n\n"},
        {1065, "Als je een juist geconfigureerde MAPI email client hebt kan je vanuit het "
               "programma je resultaat rechtstreeks emailen naar de secretaris.\n\n"},
        {1066, "Anders moet je het .kl9 bestand handmatig als bijlage met een Email naar je "
               "secretaris sturen of aan de secretaris aanleveren op usbstick of iets "
               "dergelijks."},
        {1116, "Verkondigers"},
        {1167, "Naam"},
        {1168, "Telefoon"},
        {1188, "%1-bericht"},
        {1194, "Speciale pioniers worden NIET MEEGETELD in het bericht voor het Bijkantoor"},
        {1198, "dutch"},
        {1231, "Kan bestand %1 niet maken.\nVerwijder de Read-only toebehoren van directory / "
               "bewaar of vraag toestemming om bestanden te maken in deze directory."},
        {1232, "Groep has less than 3 publishers"},
        {1247, "Overzicht"},
        {1415, "verspr"},
        {1416, "video"},
        {1417, "Uren"},
        {1418, "Nb"},
        {1419, "Bs"},
        {1422, "Dien alstublieft uw rapport in voor %1. \nDank je."},
        {1495, "Die maand aan een vorm van velddienst heeft gedaan"},
        {1496, "Het teken \"%1\" kan niet in een opmerking worden opgeslagen."},
        {1497, "Kan geen reservekopie van %1 maken in %2.\nDe lijst wordt wel opgeslagen."},
        {1500, "de dienst"},
        {1510, "Kan de reservekopie %1 niet lezen.\nDe lijst is niet veranderd."},
        {1511, "Kan geen reservekopie van %1 maken in %2.\nDe vorige versie is niet teruggezet."},
        {1520, "De lijst is niet opgeslagen in %1.\n\nKies \"Elders opslaan...\" om de lijst in "
               "een ander bestand te bewaren, \"Terug naar de lijst\" om verder te werken, of "
               "\"Sluiten zonder opslaan\" om de ingevoerde rapporten te laten vallen."},
        {1521, "Elders opslaan..."},
        {1522, "Sluiten zonder opslaan"},
        {1523, "Terug naar de lijst"},
        {1524, "Verzamellijst opslaan als"},
        {1525, "Het bestand %1 is gewijzigd sinds Dravo het las of opsloeg (door een ander "
               "programma, of een nieuwe lijst van de secretaris).\n\nWil je het overschrijven met "
               "de lijst in Dravo?"},
        {1526, "Het bestand %1 is al geopend in een ander venster van Dravo.\nWerk daar verder, "
               "of sluit dat venster eerst."},
        {1527, "Vorige versie terugzetten..."},
        {1529, "Er zijn nog geen vorige versies van %1 bewaard."},
        {1531, "%1     %2"},
        {1532, "%1 rapporten van %2"},
        {1560, "ja"},
        {1561, "nee"},
        {1562, "Volgend telefoonnummer"},
        {1563, "Volgende bladzijde"},
        {1564, "Vorige bladzijde"},
        {1565, "Verzamellijst - %1"},
        {1566, "Verkondigers %1 tot %2 van %3"},
        {1567, "Velddienstbericht van %1"},
        {1568, "De printer \"%1\" is er niet meer. De lijst wordt afgedrukt op \"%2\"."},
        {1569,
         "De printer \"%1\" is er niet meer, en er is geen andere printer. Er is niets afgedrukt."},
        {1570, "De printer \"%1\" neemt nu geen opdrachten aan. Er is niets afgedrukt."},
        {1571, "De printer \"%1\" heeft de lijst niet aangenomen. Er is niets afgedrukt."},
        {61840, "Unable to load mail system support."},
        {61841, "Mail system DLL is invalid."},
        {61842, "Send Mail failed to send message."},
    };
    return table;
}

} // namespace

namespace platform {

QString findResourceString(unsigned id) {
    const auto& table = stringTable();
    const auto it = table.find(id);
    return it == table.end() ? QString() : QString::fromUtf8(it->second);
}

} // namespace platform
