<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>KWP</name>
    <message>
        <source>(Error %1) %2</source>
        <translation>(Error %1) %2</translation>
    </message>
    <message>
        <source>
Optionen:
  -h, --help       Hilfe (auch hinter einem Befehl)
  --version        Versionsnummer

Rückgabewerte: 0 Erfolg, 1 Wert fehlt oder Prüfung fehlgeschlagen (ini get),
2 falscher Aufruf, 3 Fehler bei der Ausführung.
</source>
        <translation>
Options:
  -h, --help       help (also after a command)
  --version        version number

Exit codes: 0 success, 1 value missing or check failed (ini get),
2 wrong usage, 3 the operation failed.
</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist kein Verzeichnis.</source>
        <translation>&quot;%s&quot; is not a folder.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist keine Datei.</source>
        <translation>&quot;%s&quot; is not a file.</translation>
    </message>
    <message>
        <source>%s: übersprungen, schon vorhanden.</source>
        <translation>%s: skipped, exists already.</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Alle</source>
        <translation>&amp;All</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Ignorieren</source>
        <translation>&amp;Ignore</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Wiederholen</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>(leer)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>A&amp;lle Ja</source>
        <translation>Yes to A&amp;ll</translation>
    </message>
    <message>
        <source>A&amp;lle Nein</source>
        <translation>N&amp;o to All</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Abkhazian</source>
        <translation>Abkhazian</translation>
    </message>
    <message>
        <source>Adressverwaltung</source>
        <translation>Address management</translation>
    </message>
    <message>
        <source>Afar</source>
        <translation>Afar</translation>
    </message>
    <message>
        <source>Afrikaans</source>
        <translation>Afrikaans</translation>
    </message>
    <message>
        <source>Akan</source>
        <translation>Akan</translation>
    </message>
    <message>
        <source>Albanian</source>
        <translation>Albanian</translation>
    </message>
    <message>
        <source>Allgemeine Daten</source>
        <translation>General data</translation>
    </message>
    <message>
        <source>American English</source>
        <translation>American English</translation>
    </message>
    <message>
        <source>Amharic</source>
        <translation>Amharic</translation>
    </message>
    <message>
        <source>Angebote</source>
        <translation>Offers</translation>
    </message>
    <message>
        <source>Anmeldung</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>Arabic</translation>
    </message>
    <message>
        <source>Aragonese</source>
        <translation>Aragonese</translation>
    </message>
    <message>
        <source>Armenian</source>
        <translation>Armenian</translation>
    </message>
    <message>
        <source>Assamese</source>
        <translation>Assamese</translation>
    </message>
    <message>
        <source>Aufruf: </source>
        <translation>Usage: </translation>
    </message>
    <message>
        <source>Auftraege</source>
        <translation>Orders</translation>
    </message>
    <message>
        <source>Australian English</source>
        <translation>Australian English</translation>
    </message>
    <message>
        <source>Austrian German</source>
        <translation>Austrian German</translation>
    </message>
    <message>
        <source>Avaric</source>
        <translation>Avaric</translation>
    </message>
    <message>
        <source>Avestan</source>
        <translation>Avestan</translation>
    </message>
    <message>
        <source>Aymara</source>
        <translation>Aymara</translation>
    </message>
    <message>
        <source>Azerbaijani</source>
        <translation>Azerbaijani</translation>
    </message>
    <message>
        <source>Bambara</source>
        <translation>Bambara</translation>
    </message>
    <message>
        <source>Bashkir</source>
        <translation>Bashkir</translation>
    </message>
    <message>
        <source>Basque</source>
        <translation>Basque</translation>
    </message>
    <message>
        <source>Belarusian</source>
        <translation>Belarusian</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>Bengali</translation>
    </message>
    <message>
        <source>Benutzer &quot;%s&quot; angelegt.</source>
        <translation>User &quot;%s&quot; created.</translation>
    </message>
    <message>
        <source>Benutzer ADMIN</source>
        <translation>User ADMIN</translation>
    </message>
    <message>
        <source>Benutzer GAST</source>
        <translation>User GAST</translation>
    </message>
    <message>
        <source>Benutzername</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Bestaetigung</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Bestellwesen</source>
        <translation>Purchasing</translation>
    </message>
    <message>
        <source>Bislama</source>
        <translation>Bislama</translation>
    </message>
    <message>
        <source>Bosnian</source>
        <translation>Bosnian</translation>
    </message>
    <message>
        <source>Brazilian Portuguese</source>
        <translation>Brazilian Portuguese</translation>
    </message>
    <message>
        <source>Breton</source>
        <translation>Breton</translation>
    </message>
    <message>
        <source>Briefe</source>
        <translation>Letters</translation>
    </message>
    <message>
        <source>British English</source>
        <translation>British English</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>Bulgarian</translation>
    </message>
    <message>
        <source>Burmese</source>
        <translation>Burmese</translation>
    </message>
    <message>
        <source>Canadian English</source>
        <translation>Canadian English</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalan</translation>
    </message>
    <message>
        <source>Central Khmer</source>
        <translation>Central Khmer</translation>
    </message>
    <message>
        <source>Chamorro</source>
        <translation>Chamorro</translation>
    </message>
    <message>
        <source>Chechen</source>
        <translation>Chechen</translation>
    </message>
    <message>
        <source>Chichewa</source>
        <translation>Chichewa</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Church Slavic</source>
        <translation>Church Slavic</translation>
    </message>
    <message>
        <source>Chuvash</source>
        <translation>Chuvash</translation>
    </message>
    <message>
        <source>Cornish</source>
        <translation>Cornish</translation>
    </message>
    <message>
        <source>Corsican</source>
        <translation>Corsican</translation>
    </message>
    <message>
        <source>Cree</source>
        <translation>Cree</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>Croatian</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>Czech</translation>
    </message>
    <message>
        <source>Danish</source>
        <translation>Danish</translation>
    </message>
    <message>
        <source>Das Benutzerverzeichnis &quot;%s&quot; wurde nicht gefunden.</source>
        <translation>The user folder &quot;%s&quot; was not found.</translation>
    </message>
    <message>
        <source>Das Installationsverzeichnis (ROOT) fehlt.</source>
        <translation>The installation folder (ROOT) is missing.</translation>
    </message>
    <message>
        <source>Das Programm &quot;%s&quot; konnte nicht gestartet werden.</source>
        <translation>The program &quot;%s&quot; could not be started.</translation>
    </message>
    <message>
        <source>Das Verzeichnis &quot;%s&quot; (%s) liegt außerhalb der Installation und wird nicht angelegt.</source>
        <translation>The folder &quot;%s&quot; (%s) lies outside the installation and is not created.</translation>
    </message>
    <message>
        <source>Das Verzeichnis für %s darf kein &quot;..&quot; enthalten: &quot;%s&quot;</source>
        <translation>The folder for %s must not contain &quot;..&quot;: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Das Verzeichnis für %s darf nicht leer sein.</source>
        <translation>The folder for %s must not be empty.</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; nicht gefunden.</source>
        <translation>File &quot;%s&quot; not found.</translation>
    </message>
    <message>
        <source>Datei angelegt: %s</source>
        <translation>File created: %s</translation>
    </message>
    <message>
        <source>Datei geschrieben: %s</source>
        <translation>File written: %s</translation>
    </message>
    <message>
        <source>Demo-Installation &quot;%s&quot; ist bereit (Mandant DEMO, Benutzer ADMIN mit Passwort &quot;admin&quot;, GAST mit Passwort &quot;gast&quot;).</source>
        <translation>Demo installation &quot;%s&quot; is ready (tenant DEMO, user ADMIN with password &quot;admin&quot;, GAST with password &quot;gast&quot;).</translation>
    </message>
    <message>
        <source>den Abschnitt</source>
        <translation>the section</translation>
    </message>
    <message>
        <source>den Abschnitt in --%s</source>
        <translation>the section in --%s</translation>
    </message>
    <message>
        <source>den Schlüssel</source>
        <translation>the key</translation>
    </message>
    <message>
        <source>den Schlüssel in --%s</source>
        <translation>the key in --%s</translation>
    </message>
    <message>
        <source>Der Benutzer &quot;%s&quot; existiert bereits. Mit --force wird er überschrieben.</source>
        <translation>The user &quot;%s&quot; exists already. With --force it is overwritten.</translation>
    </message>
    <message>
        <source>Der Benutzer &quot;%s&quot; wurde nicht in der Konfigurationsdatei &quot;%s&quot; gefunden.</source>
        <translation>The user &quot;%s&quot; was not found in the configuration file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Der Benutzername fehlt.</source>
        <translation>The user name is missing.</translation>
    </message>
    <message>
        <source>Der gesperrte Mandant &quot;%s&quot; existiert nicht.</source>
        <translation>The barred tenant &quot;%s&quot; does not exist.</translation>
    </message>
    <message>
        <source>Der Mandant &quot;%s&quot; existiert bereits (%s). Mit --force werden seine Einstellungen überschrieben.</source>
        <translation>The tenant &quot;%s&quot; exists already (%s). With --force its settings are overwritten.</translation>
    </message>
    <message>
        <source>Der Name &quot;%s&quot; ist reserviert.</source>
        <translation>The name &quot;%s&quot; is reserved.</translation>
    </message>
    <message>
        <source>Der Name des Mandanten fehlt.</source>
        <translation>The tenant name is missing.</translation>
    </message>
    <message>
        <source>Der Schluessel fuer RC4 ist leer.</source>
        <translation>The RC4 key is empty.</translation>
    </message>
    <message>
        <source>Der Wert für %s muss zwischen 0 und 255 liegen: &quot;%s&quot;</source>
        <translation>The value for %s must lie between 0 and 255: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Der Wert von &quot;%s&quot; im Abschnitt &quot;%s&quot; besteht die Prüfung nicht (ungeschützt, beschädigt oder von einem anderen Schlüssel kopiert).</source>
        <translation>The value of &quot;%s&quot; in section &quot;%s&quot; fails its check (unprotected, damaged or copied from another key).</translation>
    </message>
    <message>
        <source>Der Wert von &quot;%s&quot; im Abschnitt &quot;%s&quot; ist leer und damit nicht geschützt.</source>
        <translation>The value of &quot;%s&quot; in section &quot;%s&quot; is empty and so not protected.</translation>
    </message>
    <message>
        <source>Die Liste &quot;%s&quot; im Abschnitt &quot;%s&quot; der Datei &quot;%s&quot; ist beschädigt; sie wird nicht überschrieben.</source>
        <translation>The list &quot;%s&quot; in section &quot;%s&quot; of the file &quot;%s&quot; is damaged; it is not overwritten.</translation>
    </message>
    <message>
        <source>Die Option --%s erwartet einen Wert.</source>
        <translation>The option --%s expects a value.</translation>
    </message>
    <message>
        <source>Die Option --%s erwartet keinen Wert.</source>
        <translation>The option --%s takes no value.</translation>
    </message>
    <message>
        <source>Divehi</source>
        <translation>Divehi</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Dutch</translation>
    </message>
    <message>
        <source>Dzongkha</source>
        <translation>Dzongkha</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Er ist für die Schreibweise &quot;%s&quot; / &quot;%s&quot; signiert.</source>
        <translation>It is signed for the spelling &quot;%s&quot; / &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Es fehlt ein Befehl.</source>
        <translation>A command is missing.</translation>
    </message>
    <message>
        <source>Esperanto</source>
        <translation>Esperanto</translation>
    </message>
    <message>
        <source>Estonian</source>
        <translation>Estonian</translation>
    </message>
    <message>
        <source>Ewe</source>
        <translation>Ewe</translation>
    </message>
    <message>
        <source>Faroese</source>
        <translation>Faroese</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Fehler beim Lesen der XML-Daten.</source>
        <translation>Error reading the XML data.</translation>
    </message>
    <message>
        <source>Fehler beim Schreiben der XML-Daten.</source>
        <translation>Error writing the XML data.</translation>
    </message>
    <message>
        <source>Fehlerhafte Datei &quot;%s&quot;</source>
        <translation>Faulty file &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Fijian</source>
        <translation>Fijian</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>Finnish</translation>
    </message>
    <message>
        <source>Flemish</source>
        <translation>Flemish</translation>
    </message>
    <message>
        <source>French</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Fulah</source>
        <translation>Fulah</translation>
    </message>
    <message>
        <source>Für --%s fehlt der Wert; erwartet wird --%s=Wert.</source>
        <translation>--%s lacks its value; expected is --%s=value.</translation>
    </message>
    <message>
        <source>Gaelic</source>
        <translation>Gaelic</translation>
    </message>
    <message>
        <source>Galician</source>
        <translation>Galician</translation>
    </message>
    <message>
        <source>Ganda</source>
        <translation>Ganda</translation>
    </message>
    <message>
        <source>Georgian</source>
        <translation>Georgian</translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Gibt den geprüften Wert eines geschützten Schlüssels aus. Rückgabewert 1,
wenn der Schlüssel fehlt oder der Wert die Prüfung nicht besteht.
</source>
        <translation>Prints the verified value of a protected key. Exit code 1
when the key is missing or the value fails its check.
</translation>
    </message>
    <message>
        <source>Gibt die Benutzer aus ETC/SYSDATB.INI aus, einen je Zeile.
</source>
        <translation>Prints the users of ETC/SYSDATB.INI, one per line.
</translation>
    </message>
    <message>
        <source>Gibt die Mandanten aus ETC/SYSDATB.INI aus, einen je Zeile.
</source>
        <translation>Prints the tenants of ETC/SYSDATB.INI, one per line.
</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>Greek</translation>
    </message>
    <message>
        <source>Guarani</source>
        <translation>Guarani</translation>
    </message>
    <message>
        <source>Gujarati</source>
        <translation>Gujarati</translation>
    </message>
    <message>
        <source>Haitian</source>
        <translation>Haitian</translation>
    </message>
    <message>
        <source>Hausa</source>
        <translation>Hausa</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>Hebrew</translation>
    </message>
    <message>
        <source>Herero</source>
        <translation>Herero</translation>
    </message>
    <message>
        <source>Hilfe: kwpadmin --help</source>
        <translation>Help: kwpadmin --help</translation>
    </message>
    <message>
        <source>Hilfe: kwpadmin help %s</source>
        <translation>Help: kwpadmin help %s</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>Hindi</translation>
    </message>
    <message>
        <source>Hiri Motu</source>
        <translation>Hiri Motu</translation>
    </message>
    <message>
        <source>Hungarian</source>
        <translation>Hungarian</translation>
    </message>
    <message>
        <source>Icelandic</source>
        <translation>Icelandic</translation>
    </message>
    <message>
        <source>Ido</source>
        <translation>Ido</translation>
    </message>
    <message>
        <source>Igbo</source>
        <translation>Igbo</translation>
    </message>
    <message>
        <source>Ihnen wurde der Zugriff zur Anwendung verweigert.</source>
        <translation>You have been denied access to the application.</translation>
    </message>
    <message>
        <source>Indonesian</source>
        <translation>Indonesian</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Installation &quot;%s&quot; ist bereit.</source>
        <translation>Installation &quot;%s&quot; is ready.</translation>
    </message>
    <message>
        <source>Installation &quot;%s&quot; ist vollständig, nichts zu tun.</source>
        <translation>Installation &quot;%s&quot; is complete, nothing to do.</translation>
    </message>
    <message>
        <source>Installationsverzeichnis</source>
        <translation>Installation folder</translation>
    </message>
    <message>
        <source>Interlingua</source>
        <translation>Interlingua</translation>
    </message>
    <message>
        <source>Interlingue</source>
        <translation>Interlingue</translation>
    </message>
    <message>
        <source>Inuktitut</source>
        <translation>Inuktitut</translation>
    </message>
    <message>
        <source>Inupiaq</source>
        <translation>Inupiaq</translation>
    </message>
    <message>
        <source>Irish</source>
        <translation>Irish</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italian</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>Javanese</source>
        <translation>Javanese</translation>
    </message>
    <message>
        <source>Journale</source>
        <translation>Journals</translation>
    </message>
    <message>
        <source>Kalaallisut</source>
        <translation>Kalaallisut</translation>
    </message>
    <message>
        <source>Kann Datei &quot;%s&quot; nicht loeschen.</source>
        <translation>Cannot delete file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Kann Datei &quot;%s&quot; nicht oeffnen.</source>
        <translation>Cannot open file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Kann Datei &quot;%s&quot; nicht schreiben.</source>
        <translation>Cannot write file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Kann Datei &quot;%s&quot; nicht schreiben: %s</source>
        <translation>Cannot write file &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Der Datenträger ist voll.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>Keine Berechtigung zum Schreiben.</source>
        <translation>No permission to write.</translation>
    </message>
    <message>
        <source>Der Datenträger ist schreibgeschützt.</source>
        <translation>The disk is write-protected.</translation>
    </message>
    <message>
        <source>Das Verzeichnis existiert nicht.</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>Die Sperrdatei &quot;%s&quot; gehört dem Benutzer &quot;%s&quot; und darf von Ihnen nicht überschrieben werden.</source>
        <translation>The lock file &quot;%s&quot; belongs to the user &quot;%s&quot; and you may not overwrite it.</translation>
    </message>
    <message>
        <source>Die Adressnummer &quot;%s&quot; ist ungültig: Sie darf nicht leer sein und keine Steuerzeichen enthalten.</source>
        <translation>The address number &quot;%s&quot; is invalid: it must not be empty or hold control characters.</translation>
    </message>
    <message>
        <source>Das Verzeichnis für %s muss mit [DATADIR] beginnen oder ein absoluter Pfad sein: &quot;%s&quot;</source>
        <translation>The folder for %s must start with [DATADIR] or be an absolute path: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Eine Adresse (&quot;kundenadr&quot;) steht in einer anderen; verschachtelte Adressen werden nicht gelesen.</source>
        <translation>An address (&quot;kundenadr&quot;) lies inside another one; nested addresses are not read.</translation>
    </message>
    <message>
        <source>Kann Verzeichnis nicht anlegen: %s</source>
        <translation>Cannot create folder: %s</translation>
    </message>
    <message>
        <source>Kannada</source>
        <translation>Kannada</translation>
    </message>
    <message>
        <source>Kanuri</source>
        <translation>Kanuri</translation>
    </message>
    <message>
        <source>Kashmiri</source>
        <translation>Kashmiri</translation>
    </message>
    <message>
        <source>Kazakh</source>
        <translation>Kazakh</translation>
    </message>
    <message>
        <source>Keine Installation in &quot;%s&quot; gefunden: der Ordner ETC fehlt. Zuerst &quot;kwpadmin init&quot; ausführen.</source>
        <translation>No installation found in &quot;%s&quot;: the folder ETC is missing. Run &quot;kwpadmin init&quot; first.</translation>
    </message>
    <message>
        <source>Kikuyu</source>
        <translation>Kikuyu</translation>
    </message>
    <message>
        <source>Kinyarwanda</source>
        <translation>Kinyarwanda</translation>
    </message>
    <message>
        <source>Kirghiz</source>
        <translation>Kirghiz</translation>
    </message>
    <message>
        <source>Kleinauftraege</source>
        <translation>Small orders</translation>
    </message>
    <message>
        <source>Komi</source>
        <translation>Komi</translation>
    </message>
    <message>
        <source>Kommission</source>
        <translation>Commission</translation>
    </message>
    <message>
        <source>Kongo</source>
        <translation>Kongo</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Korean</translation>
    </message>
    <message>
        <source>Kuanyama</source>
        <translation>Kuanyama</translation>
    </message>
    <message>
        <source>Kurdish</source>
        <translation>Kurdish</translation>
    </message>
    <message>
        <source>kwpadmin - Einrichtung von Installation, Mandanten und Benutzern der Suite

Aufruf: kwpadmin BEFEHL [ARGUMENTE] [OPTIONEN]

Befehle:
</source>
        <translation>kwpadmin - set-up of the suite&apos;s installation, tenants and users

Usage: kwpadmin COMMAND [ARGUMENTS] [OPTIONS]

Commands:
</translation>
    </message>
    <message>
        <source>Lager</source>
        <translation>Warehouse</translation>
    </message>
    <message>
        <source>Lao</source>
        <translation>Lao</translation>
    </message>
    <message>
        <source>Latin</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>Latvian</source>
        <translation>Latvian</translation>
    </message>
    <message>
        <source>legt das Installationsverzeichnis an</source>
        <translation>creates the installation folder</translation>
    </message>
    <message>
        <source>legt eine Demo-Installation an</source>
        <translation>creates a demo installation</translation>
    </message>
    <message>
        <source>legt einen Benutzer an</source>
        <translation>creates a user</translation>
    </message>
    <message>
        <source>Legt einen Benutzer in ETC/SYSDATB.INI an (Name in Großbuchstaben), dazu den
Ordner USR/&lt;NAME&gt;/ mit ETC, TMP, DOC und MSG, und trägt ihn in die Benutzerliste ein.

Optionen:
  --password P         Passwort (ohne: leeres Passwort)
  --fullname TEXT      vollständiger Name (ohne: der Benutzername)
  --tel T, --fax F     Telefon und Fax
  --email E            E-Mail-Adresse
  --text T             Kontakttext
  --provision N        Provision in Prozent (z. B. 2,5)
  --deny 02,03         verweigerte Rechte: 01 anlegen/kopieren, 02 speichern, 03 löschen
  --bar-tenants A,B    Mandanten, die der Benutzer nicht öffnen darf
  --blocked            Zugang sperren
  --force              einen vorhandenen Benutzer überschreiben
</source>
        <translation>Creates a user in ETC/SYSDATB.INI (name in upper case), with the
folder USR/&lt;NAME&gt;/ holding ETC, TMP, DOC and MSG, and adds it to the user list.

Options:
  --password P         password (without: empty password)
  --fullname TEXT      full name (without: the user name)
  --tel T, --fax F     telephone and fax
  --email E            e-mail address
  --text T             contact text
  --provision N        commission in percent (e.g. 2.5)
  --deny 02,03         denied rights: 01 create/copy, 02 save, 03 delete
  --bar-tenants A,B    tenants the user may not open
  --blocked            lock the user out
  --force              overwrite an existing user
</translation>
    </message>
    <message>
        <source>legt einen Mandanten an</source>
        <translation>creates a tenant</translation>
    </message>
    <message>
        <source>Legt einen Mandanten an: den Ordner DATA/&lt;NAME&gt;/ mit ETC (SYSDATA.INI, TEMPLATES/VTNT/102..109,
FORMS/de_DE), die Datenverzeichnisse, und den Eintrag in der Mandantenliste.
Einstellungen werden mit --Schlüssel=Wert (Abschnitt System) oder
--Abschnitt.Schlüssel=Wert geändert; &quot;[DATADIR]&quot; steht für ROOT/DATA/.
Unbekannte Schlüssel werden mit einer Warnung geschrieben.

Optionen:
  --force              die Einstellungen eines vorhandenen Mandanten überschreiben

Einstellungen und ihre Vorgaben:
</source>
        <translation>Creates a tenant: the folder DATA/&lt;NAME&gt;/ with ETC (SYSDATA.INI, TEMPLATES/VTNT/102..109,
FORMS/de_DE), the data folders, and the entry in the tenant list.
Settings are changed with --Key=Value (section System) or
--Section.Key=Value; &quot;[DATADIR]&quot; stands for ROOT/DATA/.
Unknown keys are written with a warning.

Options:
  --force              overwrite the settings of an existing tenant

Settings and their defaults:
</translation>
    </message>
    <message>
        <source>Legt ROOT mit BIN, ETC, TMP, TMP/LOG, DATA, USR, USR/ALLUSERS, HLP und RSC an,
dazu ETC/APPLICATION.INI, ETC/SYSDATB.INI und ETC/ISO_COUNTRYCODES.DAT,
soweit sie fehlen. Vorhandene Dateien bleiben unverändert.
</source>
        <translation>Creates ROOT with BIN, ETC, TMP, TMP/LOG, DATA, USR, USR/ALLUSERS, HLP and RSC,
and ETC/APPLICATION.INI, ETC/SYSDATB.INI and ETC/ISO_COUNTRYCODES.DAT
where they are missing. Existing files stay unchanged.
</translation>
    </message>
    <message>
        <source>Leistungskataloge</source>
        <translation>Service catalogues</translation>
    </message>
    <message>
        <source>liest einen geschützten Wert</source>
        <translation>reads a protected value</translation>
    </message>
    <message>
        <source>Limburgan</source>
        <translation>Limburgan</translation>
    </message>
    <message>
        <source>Lingala</source>
        <translation>Lingala</translation>
    </message>
    <message>
        <source>Lithuanian</source>
        <translation>Lithuanian</translation>
    </message>
    <message>
        <source>Luba-Katanga</source>
        <translation>Luba-Katanga</translation>
    </message>
    <message>
        <source>Luxembourgish</source>
        <translation>Luxembourgish</translation>
    </message>
    <message>
        <source>Macedonian</source>
        <translation>Macedonian</translation>
    </message>
    <message>
        <source>Malagasy</source>
        <translation>Malagasy</translation>
    </message>
    <message>
        <source>Malay</source>
        <translation>Malay</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>Malayalam</translation>
    </message>
    <message>
        <source>Maltese</source>
        <translation>Maltese</translation>
    </message>
    <message>
        <source>Mandant</source>
        <translation>Tenant</translation>
    </message>
    <message>
        <source>Mandant &quot;%s&quot; angelegt.</source>
        <translation>Tenant &quot;%s&quot; created.</translation>
    </message>
    <message>
        <source>Mandant %s</source>
        <translation>Tenant %s</translation>
    </message>
    <message>
        <source>Manx</source>
        <translation>Manx</translation>
    </message>
    <message>
        <source>Maori</source>
        <translation>Maori</translation>
    </message>
    <message>
        <source>Marathi</source>
        <translation>Marathi</translation>
    </message>
    <message>
        <source>Marshallese</source>
        <translation>Marshallese</translation>
    </message>
    <message>
        <source>Materialkataloge</source>
        <translation>Material catalogues</translation>
    </message>
    <message>
        <source>Mongolian</source>
        <translation>Mongolian</translation>
    </message>
    <message>
        <source>Mögliche Befehle: %s</source>
        <translation>Possible commands: %s</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Navajo</source>
        <translation>Navajo</translation>
    </message>
    <message>
        <source>Ndonga</source>
        <translation>Ndonga</translation>
    </message>
    <message>
        <source>Nepali</source>
        <translation>Nepali</translation>
    </message>
    <message>
        <source>North Ndebele</source>
        <translation>North Ndebele</translation>
    </message>
    <message>
        <source>Northern Sami</source>
        <translation>Northern Sami</translation>
    </message>
    <message>
        <source>Norwegian</source>
        <translation>Norwegian</translation>
    </message>
    <message>
        <source>Norwegian Bokmål</source>
        <translation>Norwegian Bokmål</translation>
    </message>
    <message>
        <source>Norwegian Nynorsk</source>
        <translation>Norwegian Nynorsk</translation>
    </message>
    <message>
        <source>Occitan</source>
        <translation>Occitan</translation>
    </message>
    <message>
        <source>Ojibwa</source>
        <translation>Ojibwa</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>Oriya</translation>
    </message>
    <message>
        <source>Oromo</source>
        <translation>Oromo</translation>
    </message>
    <message>
        <source>Ossetian</source>
        <translation>Ossetian</translation>
    </message>
    <message>
        <source>Pali</source>
        <translation>Pali</translation>
    </message>
    <message>
        <source>Pashto</source>
        <translation>Pashto</translation>
    </message>
    <message>
        <source>Passwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Persian</source>
        <translation>Persian</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polish</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portuguese</translation>
    </message>
    <message>
        <source>Punjabi</source>
        <translation>Punjabi</translation>
    </message>
    <message>
        <source>Quechua</source>
        <translation>Quechua</translation>
    </message>
    <message>
        <source>Richtet ROOT ein und legt den Mandanten DEMO, den Benutzer ADMIN (Passwort
&quot;admin&quot;) und den Benutzer GAST (Passwort &quot;gast&quot;, ohne die Rechte 02 und 03)
an. Vorhandenes wird übersprungen.
</source>
        <translation>Sets up ROOT and creates the tenant DEMO, the user ADMIN (password
&quot;admin&quot;) and the user GAST (password &quot;gast&quot;, without the rights 02 and 03).
What exists already is skipped.
</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>Romanian</translation>
    </message>
    <message>
        <source>Romansh</source>
        <translation>Romansh</translation>
    </message>
    <message>
        <source>Rundi</source>
        <translation>Rundi</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Samoan</source>
        <translation>Samoan</translation>
    </message>
    <message>
        <source>Sango</source>
        <translation>Sango</translation>
    </message>
    <message>
        <source>Sanskrit</source>
        <translation>Sanskrit</translation>
    </message>
    <message>
        <source>Sardinian</source>
        <translation>Sardinian</translation>
    </message>
    <message>
        <source>Schlüssel &quot;%s&quot; im Abschnitt &quot;%s&quot; nicht gefunden.</source>
        <translation>Key &quot;%s&quot; not found in section &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>schreibt einen geschützten Wert</source>
        <translation>writes a protected value</translation>
    </message>
    <message>
        <source>Schreibt einen geschützten Wert; die Datei wird angelegt, wenn sie fehlt.
Ein Wert, der mit &apos;-&apos; beginnt, steht hinter &quot;--&quot;.
</source>
        <translation>Writes a protected value; the file is created when it is missing.
A value starting with &apos;-&apos; goes after &quot;--&quot;.
</translation>
    </message>
    <message>
        <source>Serbian</source>
        <translation>Serbian</translation>
    </message>
    <message>
        <source>Shona</source>
        <translation>Shona</translation>
    </message>
    <message>
        <source>Sichuan Yi</source>
        <translation>Sichuan Yi</translation>
    </message>
    <message>
        <source>Sindhi</source>
        <translation>Sindhi</translation>
    </message>
    <message>
        <source>Sinhala</source>
        <translation>Sinhala</translation>
    </message>
    <message>
        <source>Slovak</source>
        <translation>Slovak</translation>
    </message>
    <message>
        <source>Slovenian</source>
        <translation>Slovenian</translation>
    </message>
    <message>
        <source>Somali</source>
        <translation>Somali</translation>
    </message>
    <message>
        <source>South Ndebele</source>
        <translation>South Ndebele</translation>
    </message>
    <message>
        <source>Southern Sotho</source>
        <translation>Southern Sotho</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Sundanese</source>
        <translation>Sundanese</translation>
    </message>
    <message>
        <source>Swahili</source>
        <translation>Swahili</translation>
    </message>
    <message>
        <source>Swati</source>
        <translation>Swati</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>Swedish</translation>
    </message>
    <message>
        <source>Swiss German</source>
        <translation>Swiss German</translation>
    </message>
    <message>
        <source>Tagalog</source>
        <translation>Tagalog</translation>
    </message>
    <message>
        <source>Tahitian</source>
        <translation>Tahitian</translation>
    </message>
    <message>
        <source>Tajik</source>
        <translation>Tajik</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>Tamil</translation>
    </message>
    <message>
        <source>Tatar</source>
        <translation>Tatar</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>Telugu</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>Thai</translation>
    </message>
    <message>
        <source>Tibetan</source>
        <translation>Tibetan</translation>
    </message>
    <message>
        <source>Tigrinya</source>
        <translation>Tigrinya</translation>
    </message>
    <message>
        <source>Tonga</source>
        <translation>Tonga</translation>
    </message>
    <message>
        <source>Tsonga</source>
        <translation>Tsonga</translation>
    </message>
    <message>
        <source>Tswana</source>
        <translation>Tswana</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Turkish</translation>
    </message>
    <message>
        <source>Turkmen</source>
        <translation>Turkmen</translation>
    </message>
    <message>
        <source>Twi</source>
        <translation>Twi</translation>
    </message>
    <message>
        <source>Uighur</source>
        <translation>Uighur</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>Unbehandelte Ausnahme.</source>
        <translation>Unhandled exception.</translation>
    </message>
    <message>
        <source>Unbekannte Option: %s</source>
        <translation>Unknown option: %s</translation>
    </message>
    <message>
        <source>Unbekannter Befehl: %s</source>
        <translation>Unknown command: %s</translation>
    </message>
    <message>
        <source>Unbekannter Schlüssel &quot;%s&quot; im Abschnitt &quot;%s&quot;; er wird trotzdem geschrieben.</source>
        <translation>Unknown key &quot;%s&quot; in section &quot;%s&quot;; it is written anyway.</translation>
    </message>
    <message>
        <source>Unerwarteter Fehler: %s</source>
        <translation>Unexpected error: %s</translation>
    </message>
    <message>
        <source>Ungültige ganze Zahl für %s: &quot;%s&quot;</source>
        <translation>Invalid whole number for %s: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Ungültige Zahl für %s: &quot;%s&quot;</source>
        <translation>Invalid number for %s: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Ungültiger Benutzername &quot;%s&quot;: erlaubt sind 1 bis 32 Zeichen aus Buchstaben A-Z, Ziffern, &apos;_&apos; und &apos;-&apos; (nicht am Anfang).</source>
        <translation>Invalid user name &quot;%s&quot;: allowed are 1 to 32 characters of the letters A-Z, digits, &apos;_&apos; and &apos;-&apos; (not first).</translation>
    </message>
    <message>
        <source>Ungültiger Mandantenname &quot;%s&quot;: erlaubt sind 1 bis 32 Zeichen aus Buchstaben A-Z, Ziffern, &apos;_&apos; und &apos;-&apos; (nicht am Anfang).</source>
        <translation>Invalid tenant name &quot;%s&quot;: allowed are 1 to 32 characters of the letters A-Z, digits, &apos;_&apos; and &apos;-&apos; (not first).</translation>
    </message>
    <message>
        <source>Ungültiger Name für %s: &quot;%s&quot;</source>
        <translation>Invalid name for %s: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Ungültiger Rechte-Code &quot;%s&quot;: erwartet werden zwei Ziffern wie 02.</source>
        <translation>Invalid right code &quot;%s&quot;: two digits like 02 are expected.</translation>
    </message>
    <message>
        <source>Ungültiger Wahrheitswert für %s: &quot;%s&quot; (erlaubt: true, false, ja, nein)</source>
        <translation>Invalid truth value for %s: &quot;%s&quot; (allowed: true, false, ja, nein)</translation>
    </message>
    <message>
        <source>Unvollständiger Befehl: %s</source>
        <translation>Incomplete command: %s</translation>
    </message>
    <message>
        <source>Urdu</source>
        <translation>Urdu</translation>
    </message>
    <message>
        <source>Uzbek</source>
        <translation>Uzbek</translation>
    </message>
    <message>
        <source>Venda</source>
        <translation>Venda</translation>
    </message>
    <message>
        <source>Verzeichnis &quot;%s&quot; nicht gefunden.</source>
        <translation>Folder &quot;%s&quot; not found.</translation>
    </message>
    <message>
        <source>Verzeichnis angelegt: %s</source>
        <translation>Folder created: %s</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>Vietnamese</translation>
    </message>
    <message>
        <source>Volapük</source>
        <translation>Volapük</translation>
    </message>
    <message>
        <source>Walloon</source>
        <translation>Walloon</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Warnung: </source>
        <translation>Warning: </translation>
    </message>
    <message>
        <source>Wartung</source>
        <translation>Maintenance</translation>
    </message>
    <message>
        <source>Welsh</source>
        <translation>Welsh</translation>
    </message>
    <message>
        <source>Western Frisian</source>
        <translation>Western Frisian</translation>
    </message>
    <message>
        <source>Wolof</source>
        <translation>Wolof</translation>
    </message>
    <message>
        <source>Xhosa</source>
        <translation>Xhosa</translation>
    </message>
    <message>
        <source>XML-Analysefehler.</source>
        <translation>XML parse error.</translation>
    </message>
    <message>
        <source>Yiddish</source>
        <translation>Yiddish</translation>
    </message>
    <message>
        <source>Yoruba</source>
        <translation>Yoruba</translation>
    </message>
    <message>
        <source>zeigt die Benutzerliste</source>
        <translation>shows the user list</translation>
    </message>
    <message>
        <source>zeigt die Hilfe zu einem Befehl</source>
        <translation>shows the help of a command</translation>
    </message>
    <message>
        <source>zeigt die Mandantenliste</source>
        <translation>shows the tenant list</translation>
    </message>
    <message>
        <source>Zhuang</source>
        <translation>Zhuang</translation>
    </message>
    <message>
        <source>Zu viele Argumente für &quot;%s&quot;: %s</source>
        <translation>Too many arguments for &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Zu wenige Argumente für &quot;%s&quot;.</source>
        <translation>Too few arguments for &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Zulu</source>
        <translation>Zulu</translation>
    </message>
    <message>
        <source>netto</source>
        <translation>net</translation>
    </message>
    <message>
        <source>Bis %d Tage %s. (%d Tage die Woche)</source>
        <translation>Within %d days %s. (%d days a week)</translation>
    </message>
    <message>
        <source>Bis Monatsmitte/-ende plus %s Monate %s.</source>
        <translation>By mid-month/month end plus %s months %s.</translation>
    </message>
    <message>
        <source>Bar</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>Scheck</source>
        <translation>Cheque</translation>
    </message>
    <message>
        <source>Ueberweisung</source>
        <translation>Bank transfer</translation>
    </message>
    <message>
        <source>Europaueberweisung</source>
        <translation>European transfer</translation>
    </message>
    <message>
        <source>Lastschrift</source>
        <translation>Direct debit</translation>
    </message>
    <message>
        <source>Vorkasse</source>
        <translation>Payment in advance</translation>
    </message>
    <message>
        <source>Nachnahme</source>
        <translation>Cash on delivery</translation>
    </message>
    <message>
        <source>Sonstiges</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Telefonnummer</source>
        <translation>Telephone number</translation>
    </message>
    <message>
        <source>Faxnummer</source>
        <translation>Fax number</translation>
    </message>
    <message>
        <source>E-Mail-Adresse</source>
        <translation>E-mail address</translation>
    </message>
    <message>
        <source>Internet-Adresse</source>
        <translation>Internet address</translation>
    </message>
    <message>
        <source>Briefanrede</source>
        <translation>Letter salutation</translation>
    </message>
    <message>
        <source>Firma</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Anschrifterweiterung</source>
        <translation>Address extension</translation>
    </message>
    <message>
        <source>Zugehoerige Anschrift</source>
        <translation>Related postal address</translation>
    </message>
    <message>
        <source>Barcode muss numerisch sein.</source>
        <translation>Barcode must be numeric.</translation>
    </message>
    <message>
        <source>%s: Falscher Barcodetyp</source>
        <translation>%s: Wrong barcode type</translation>
    </message>
    <message>
        <source>%s: Interner Fehler</source>
        <translation>%s: Internal error</translation>
    </message>
    <message>
        <source>%s:Code93 fehlerhafte Daten &lt;%s&gt;</source>
        <translation>%s:Code93 invalid data &lt;%s&gt;</translation>
    </message>
    <message>
        <source>%s:Code128 fehlerhafte Daten &lt;%s&gt;</source>
        <translation>%s:Code128 invalid data &lt;%s&gt;</translation>
    </message>
    <message>
        <source>%s:Codabar fehlerhafte Daten &lt;%s&gt;</source>
        <translation>%s:Codabar invalid data &lt;%s&gt;</translation>
    </message>
    <message>
        <source>Barcode darf höchstens %d Ziffern haben.</source>
        <translation>The barcode may have at most %d digits.</translation>
    </message>
    <message>
        <source>Barcode %s hat eine falsche Prüfziffer, richtig wäre %d.</source>
        <translation>Barcode %s has a wrong check digit; it should be %d.</translation>
    </message>
    <message>
        <source>Etikettenformulare</source>
        <translation>Label forms</translation>
    </message>
    <message>
        <source>Etikettenformulare angelegt: %s</source>
        <translation>Label forms created: %s</translation>
    </message>
    <message>
        <source>Die Methode Start() wurde bereits aufgerufen.</source>
        <translation>The method Start() has already been called.</translation>
    </message>
    <message>
        <source>Die Bankleitzahl muss genau 8 Zeichen besitzen.</source>
        <translation>The bank code must have exactly 8 digits.</translation>
    </message>
    <message>
        <source>Die Kontonummer muss zwischen 10 und 9999999999 liegen.</source>
        <translation>The account number must lie between 10 and 9999999999.</translation>
    </message>
    <message>
        <source>Der Buchungsempfaenger muss angegeben werden.</source>
        <translation>The payee must be given.</translation>
    </message>
    <message>
        <source>Der Betrag muss zwischen EUR 1 und EUR 999999999.99 liegen.</source>
        <translation>The amount must lie between EUR 1 and EUR 999999999.99.</translation>
    </message>
    <message>
        <source>Es sind nicht mehr als 14 Verwendungszwecke erlaubt.</source>
        <translation>No more than 14 purpose lines are allowed.</translation>
    </message>
    <message>
        <source>Es muss zunaechst die Methode Start() aufgerufen werden.</source>
        <translation>The method Start() must be called first.</translation>
    </message>
    <message>
        <source>Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits aufgerufen.</source>
        <translation>The method Start() has not been called yet or Finish() has already been called.</translation>
    </message>
    <message>
        <source>Die Datei kann keine weiteren Buchungen aufnehmen.</source>
        <translation>The file cannot take any more payments.</translation>
    </message>
    <message>
        <source>Der Name des Auftraggebers &quot;%1&quot; enthält kein Zeichen, das in einer DTAUS-Datei stehen darf (A-Z, Umlaute, ß, Ziffern, . , &amp; - / + * $ %).</source>
        <translation>The originator&apos;s name &quot;%1&quot; holds no character a DTAUS file may contain (A-Z, umlauts, ß, digits, . , &amp; - / + * $ %).</translation>
    </message>
    <message>
        <source>Die Buchung über %1 EUR an &quot;%2&quot; (BLZ %3, Konto %4) wurde nicht geschrieben: Der Name enthält kein Zeichen, das in einer DTAUS-Datei stehen darf (A-Z, Umlaute, ß, Ziffern, . , &amp; - / + * $ %).</source>
        <translation>The payment of EUR %1 to &quot;%2&quot; (bank code %3, account %4) was not written: the name holds no character a DTAUS file may contain (A-Z, umlauts, ß, digits, . , &amp; - / + * $ %).</translation>
    </message>
    <message>
        <source>Dateiname: </source>
        <translation>File name: </translation>
    </message>
    <message>
        <source>Disketten-Nr: </source>
        <translation>Disk no.: </translation>
    </message>
    <message>
        <source>Datum: </source>
        <translation>Date: </translation>
    </message>
    <message>
        <source>Anzahl Datensätze C: </source>
        <translation>Number of C records: </translation>
    </message>
    <message>
        <source>Summe Datensätze C (EUR): </source>
        <translation>Total of C records (EUR): </translation>
    </message>
    <message>
        <source>Summe Kontonummern: </source>
        <translation>Total of account numbers: </translation>
    </message>
    <message>
        <source>Summe Bankleitzahlen: </source>
        <translation>Total of bank codes: </translation>
    </message>
    <message>
        <source>Bankleitzahl Absenderbank: </source>
        <translation>Bank code of the sender&apos;s bank: </translation>
    </message>
    <message>
        <source>Kontonummer Absender: </source>
        <translation>Account number of the sender: </translation>
    </message>
    <message>
        <source>Absender: </source>
        <translation>Sender: </translation>
    </message>
    <message>
        <source>Druckdatei kann nicht geschrieben werden !</source>
        <translation>Print file cannot be written!</translation>
    </message>
    <message>
        <source>Kann die angegebene Datei nicht finden: %s</source>
        <translation>Cannot find the specified file: %s</translation>
    </message>
    <message>
        <source>SQL-Befehl ungültig: %s</source>
        <translation>Invalid SQL statement: %s</translation>
    </message>
    <message>
        <source>SQL-Befehl ist leer: %s</source>
        <translation>SQL statement is empty: %s</translation>
    </message>
    <message>
        <source>Datenbankdatei "%s" kann nicht geöffnet werden: %s</source>
        <translation>Database file "%s" cannot be opened: %s</translation>
    </message>
    <message>
        <source>Die Datenbank "%s" ist von einem anderen Arbeitsplatz gesperrt. (%s)</source>
        <translation>The database "%s" is locked by another workstation. (%s)</translation>
    </message>
    <message>
        <source>Datenbankfehler: %s (%s)</source>
        <translation>Database error: %s (%s)</translation>
    </message>
    <message>
        <source>Die Datei enthält eine abgebrochene Änderung, die erst ein Arbeitsplatz mit Schreibrecht zurücknehmen muss.</source>
        <translation>The file holds an interrupted change that a workstation with write access must undo first.</translation>
    </message>
    <message>
        <source>Schlüsselverletzung in Tabelle "%s": Der Schlüssel ist schon vergeben.</source>
        <translation>Key violation in table "%s": the key is already in use.</translation>
    </message>
    <message>
        <source>"%s" ist kein gültiger Wert für das Feld "%s".</source>
        <translation>"%s" is not a valid value for the field "%s".</translation>
    </message>
    <message>
        <source>Der Tabellenname einer offenen Tabelle ist fest.</source>
        <translation>The name of an open table cannot be changed.</translation>
    </message>
    <message>
        <source>Eine offene Tabelle kann nicht umgestellt werden.</source>
        <translation>An open table cannot be switched.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" ist nicht geöffnet.</source>
        <translation>The table "%s" is not open.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" ist schreibgeschützt.</source>
        <translation>The table "%s" is read-only.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" hat keine Datenbank.</source>
        <translation>The table "%s" has no database.</translation>
    </message>
    <message>
        <source>Die Tabelle hat keinen Namen.</source>
        <translation>The table has no name.</translation>
    </message>
    <message>
        <source>Feld "%s": unbekannter Datentyp %d.</source>
        <translation>Field "%s": unknown data type %d.</translation>
    </message>
    <message>
        <source>Feld "%s": Textfelder brauchen eine Länge.</source>
        <translation>Field "%s": text fields need a length.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" hat keine Felder.</source>
        <translation>The table "%s" has no fields.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" hat mehr als ein Zählerfeld.</source>
        <translation>The table "%s" has more than one counter field.</translation>
    </message>
    <message>
        <source>Index "%s": unbekanntes Feld "%s".</source>
        <translation>Index "%s": unknown field "%s".</translation>
    </message>
    <message>
        <source>Index "%s" hat keine Felder.</source>
        <translation>Index "%s" has no fields.</translation>
    </message>
    <message>
        <source>Die Tabelle "%s" existiert bereits.</source>
        <translation>The table "%s" already exists.</translation>
    </message>
    <message>
        <source>Die Datenbank ist schreibgeschützt: Tabelle "%s" kann nicht angelegt werden.</source>
        <translation>The database is read-only: table "%s" cannot be created.</translation>
    </message>
    <message>
        <source>Tabelle "%s" nicht gefunden.</source>
        <translation>Table "%s" not found.</translation>
    </message>
    <message>
        <source>Index "%s" der Tabelle "%s" nicht gefunden.</source>
        <translation>Index "%s" of table "%s" not found.</translation>
    </message>
    <message>
        <source>Feld "%s" in Tabelle "%s" nicht gefunden.</source>
        <translation>Field "%s" not found in table "%s".</translation>
    </message>
    <message>
        <source>Tabelle "%s" ist nicht im Bearbeitungsmodus.</source>
        <translation>Table "%s" is not in edit mode.</translation>
    </message>
    <message>
        <source>Der Text für das Feld "%s" ist länger als %d Zeichen.</source>
        <translation>The text for the field "%s" is longer than %d characters.</translation>
    </message>
    <message>
        <source>Das Zählerfeld "%s" kann nicht geändert werden.</source>
        <translation>The counter field "%s" cannot be changed.</translation>
    </message>
    <message>
        <source>Tabelle "%s" ist leer: kein Datensatz zum Bearbeiten.</source>
        <translation>Table "%s" is empty: no record to edit.</translation>
    </message>
    <message>
        <source>Das Feld "%s" muss einen Wert haben.</source>
        <translation>The field "%s" must have a value.</translation>
    </message>
    <message>
        <source>Der Datensatz in Tabelle "%s" wurde inzwischen von einem anderen Arbeitsplatz gelöscht.</source>
        <translation>The record in table "%s" has been deleted by another workstation in the meantime.</translation>
    </message>
    <message>
        <source>Tabelle "%s" ist leer: kein Datensatz zum Löschen.</source>
        <translation>Table "%s" is empty: no record to delete.</translation>
    </message>
    <message>
        <source>Tabelle "%s": Suche nach dem nächsten Schlüssel braucht einen Index.</source>
        <translation>Table "%s": searching for the nearest key needs an index.</translation>
    </message>
    <message>
        <source>Datenbank "%s" nicht gefunden.</source>
        <translation>Database "%s" not found.</translation>
    </message>
    <message>
        <source>Feld "%s" nicht im Abfrageergebnis.</source>
        <translation>Field "%s" is not in the query result.</translation>
    </message>
    <message>
        <source>Filter "%s" ist ungültig: %s</source>
        <translation>Filter "%s" is invalid: %s</translation>
    </message>
    <message>
        <source>unerwartet: %s</source>
        <translation>unexpected: %s</translation>
    </message>
    <message>
        <source>")" fehlt</source>
        <translation>")" is missing</translation>
    </message>
    <message>
        <source>Feldname erwartet</source>
        <translation>field name expected</translation>
    </message>
    <message>
        <source>unbekanntes Feld "%s"</source>
        <translation>unknown field "%s"</translation>
    </message>
    <message>
        <source>Vergleichsoperator erwartet</source>
        <translation>comparison operator expected</translation>
    </message>
    <message>
        <source>Wert erwartet</source>
        <translation>value expected</translation>
    </message>
    <message>
        <source>Anführungszeichen nicht geschlossen: %s</source>
        <translation>Quotation mark not closed: %s</translation>
    </message>
    <message>
        <source>Bitte warten, die Datenbank ist momentan durch den Benutzer "%s" gesperrt.</source>
        <translation>Please wait, the database is currently locked by the user "%s".</translation>
    </message>
    <message>
        <source>Unbekannter Datenbanktyp %d.</source>
        <translation>Unknown database type %d.</translation>
    </message>
    <message>
        <source>Die Datenbank hat keinen Ort.</source>
        <translation>The database has no location.</translation>
    </message>
    <message>
        <source>Datenbankverzeichnis "%s" nicht gefunden.</source>
        <translation>Database folder "%s" not found.</translation>
    </message>
    <message>
        <source>Datenbankdatei "%s" nicht gefunden.</source>
        <translation>Database file "%s" not found.</translation>
    </message>
    <message>
        <source>Tabelle "%s" nicht gefunden (%s).</source>
        <translation>Table "%s" not found (%s).</translation>
    </message>
    <message>
        <source>... und %d weitere.</source>
        <translation>... and %d more.</translation>
    </message>
    <message>
        <source>Auf %d Zeichen gekürzte Kurzbezeichnungen: %d</source>
        <translation>Short names cut to %d characters: %d</translation>
    </message>
    <message>
        <source>Auf %d Zeichen gekürzte Ortsnamen: %d</source>
        <translation>Town names cut to %d characters: %d</translation>
    </message>
    <message>
        <source>Beispieldaten</source>
        <translation>sample data</translation>
    </message>
    <message>
        <source>Das Verzeichnis ETC ist nicht bekannt.</source>
        <translation>The ETC folder is not known.</translation>
    </message>
    <message>
        <source>Datenbankfehler.</source>
        <translation>Database error.</translation>
    </message>
    <message>
        <source>Die Bankleitzahlendatei &quot;%s&quot; enthält fehlerhafte Zeilen, es wurde nichts übernommen:</source>
        <translation>The bank code file &quot;%s&quot; contains faulty lines, nothing was imported:</translation>
    </message>
    <message>
        <source>Die Bankleitzahlendatei &quot;%s&quot; enthält keine Bank mit dem Merkmal 1, es wurde nichts übernommen.</source>
        <translation>The bank code file &quot;%s&quot; contains no bank with feature flag 1, nothing was imported.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist zu groß für eine Bankleitzahlendatei.</source>
        <translation>The file &quot;%s&quot; is too large for a bank code file.</translation>
    </message>
    <message>
        <source>Kann Datei &quot;%s&quot; nicht lesen: %s</source>
        <translation>Cannot read file &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Zeile %d: das Merkmal &quot;%s&quot; ist weder 1 noch 2.</source>
        <translation>Line %d: the feature flag &quot;%s&quot; is neither 1 nor 2.</translation>
    </message>
    <message>
        <source>Zeile %d: der BIC &quot;%s&quot; ist ungültig.</source>
        <translation>Line %d: the BIC &quot;%s&quot; is invalid.</translation>
    </message>
    <message>
        <source>Zeile %d: der Ort fehlt.</source>
        <translation>Line %d: the town is missing.</translation>
    </message>
    <message>
        <source>Zeile %d: die Bankleitzahl &quot;%s&quot; besteht nicht aus 8 Ziffern.</source>
        <translation>Line %d: the bank code &quot;%s&quot; does not consist of 8 digits.</translation>
    </message>
    <message>
        <source>Zeile %d: die Bezeichnung fehlt.</source>
        <translation>Line %d: the bank name is missing.</translation>
    </message>
    <message>
        <source>Zeile %d: die PAN &quot;%s&quot; ist ungültig.</source>
        <translation>Line %d: the PAN &quot;%s&quot; is invalid.</translation>
    </message>
    <message>
        <source>Zeile %d: die Postleitzahl &quot;%s&quot; ist ungültig.</source>
        <translation>Line %d: the postcode &quot;%s&quot; is invalid.</translation>
    </message>
    <message>
        <source>Zeile %d: zu kurz (%d statt mindestens %d Zeichen).</source>
        <translation>Line %d: too short (%d instead of at least %d characters).</translation>
    </message>
    <message>
        <source>ist ein Verzeichnis</source>
        <translation>is a folder</translation>
    </message>
    <message>
        <source>Postleitzahlen und Bankleitzahlen</source>
        <translation>Postcodes and bank codes</translation>
    </message>
    <message>
        <source>Adresskonfiguration</source>
        <translation>Address configuration</translation>
    </message>
    <message>
        <source>Adressen</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>%d Adressen exportiert.</source>
        <translation>%d addresses exported.</translation>
    </message>
    <message>
        <source>%d Adressen importiert.</source>
        <translation>%d addresses imported.</translation>
    </message>
    <message>
        <source>%d Bankleitzahlen übernommen.</source>
        <translation>%d bank codes taken over.</translation>
    </message>
    <message>
        <source>schreibt alle Adressen eines Mandanten in eine Datei</source>
        <translation>writes all addresses of a tenant to a file</translation>
    </message>
    <message>
        <source>Schreibt jede Adresse des Mandanten mit allen Angaben als Liste
"&lt;adressen&gt;" (UTF-16) in DATEI.
</source>
        <translation>Writes every address of the tenant with all its data as a list
"&lt;adressen&gt;" (UTF-16) to FILE.
</translation>
    </message>
    <message>
        <source>liest Adressen aus einer Datei ein</source>
        <translation>reads addresses from a file</translation>
    </message>
    <message>
        <source>Liest eine Liste "&lt;adressen&gt;" in die Adresstabelle des Mandanten. Adressen,
deren Nummer schon vorhanden ist, werden übersprungen, mit --replace
ersetzt. Eine fehlerhafte Datei ändert nichts.
</source>
        <translation>Reads a list "&lt;adressen&gt;" into the address table of the tenant. Addresses
whose number already exists are skipped, or replaced with --replace.
A damaged file changes nothing.
</translation>
    </message>
    <message>
        <source>übernimmt die Bankleitzahlendatei der Bundesbank</source>
        <translation>takes over the bank code file of the Bundesbank</translation>
    </message>
    <message>
        <source>Füllt ETC/BLZCODES.TDBD aus der Bankleitzahlendatei der Deutschen
Bundesbank (feste Spaltenbreiten, Latin-1). Übernommen werden die Zeilen
mit dem Merkmal 1.
</source>
        <translation>Fills ETC/BLZCODES.TDBD from the bank code file of the Deutsche
Bundesbank (fixed column widths, Latin-1). Lines with the feature
flag 1 are taken over.
</translation>
    </message>
    <message>
        <source>Die Adresstabelle in &quot;%s&quot; kann nicht geöffnet werden.</source>
        <translation>The address table in &quot;%s&quot; cannot be opened.</translation>
    </message>
    <message>
        <source>Der Mandant &quot;%s&quot; existiert nicht (%s fehlt).</source>
        <translation>The tenant &quot;%s&quot; does not exist (%s is missing).</translation>
    </message>
    <message>
        <source>Für den Mandanten &quot;%s&quot; ist kein Verzeichnis für Allgemeine Daten (A1) eingetragen.</source>
        <translation>No directory for general data (A1) is set for the tenant &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Die Adresstabelle in &quot;%s&quot; kann nicht gelesen werden.</source>
        <translation>The address table in &quot;%s&quot; cannot be read.</translation>
    </message>
    <message>
        <source>Die Adresse &quot;%s&quot; ist beschädigt und kann nicht gelesen werden.</source>
        <translation>The address &quot;%s&quot; is damaged and cannot be read.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist fehlerhaft; es wurde nichts eingelesen.</source>
        <translation>The file &quot;%s&quot; is damaged; nothing was imported.</translation>
    </message>
    <message>
        <source>Die %d. Adresse der Datei &quot;%s&quot; hat keine Nummer; es wurde nichts eingelesen.</source>
        <translation>Address %d of the file &quot;%s&quot; has no number; nothing was imported.</translation>
    </message>
    <message>
        <source>Die Adressnummer &quot;%s&quot; ist länger als %d Zeichen; es wurde nichts eingelesen.</source>
        <translation>The address number &quot;%s&quot; is longer than %d characters; nothing was imported.</translation>
    </message>
    <message>
        <source>Die Adressnummer &quot;%s&quot; kommt in der Datei mehrfach vor; es wurde nichts eingelesen.</source>
        <translation>The address number &quot;%s&quot; occurs more than once in the file; nothing was imported.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; enthält keine Adressen; es wurde nichts eingelesen.</source>
        <translation>The file &quot;%s&quot; contains no addresses; nothing was imported.</translation>
    </message>
    <message>
        <source>Die Adresstabelle ist gesperrt; es wurde nichts eingelesen.</source>
        <translation>The address table is locked; nothing was imported.</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; übersprungen: die Nummer ist schon vergeben.</source>
        <translation>Address &quot;%s&quot; skipped: the number is already in use.</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; kann nicht ersetzt werden; es wurde nichts eingelesen.</source>
        <translation>Address &quot;%s&quot; cannot be replaced; nothing was imported.</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; kann nicht geschrieben werden; es wurde nichts eingelesen.</source>
        <translation>Address &quot;%s&quot; cannot be written; nothing was imported.</translation>
    </message>
    <message>
        <source>%d Adressen übersprungen, weil ihre Nummer schon vergeben ist (mit --replace werden sie ersetzt).</source>
        <translation>%d addresses skipped because their number is already in use (--replace replaces them).</translation>
    </message>
    <message>
        <source>%d Adressen angelegt in %s</source>
        <translation>%d addresses created in %s</translation>
    </message>
    <message>
        <source>Die IBAN fehlt.</source>
        <translation>The IBAN is missing.</translation>
    </message>
    <message>
        <source>Die IBAN enthält das unzulässige Zeichen &quot;%s&quot;.</source>
        <translation>The IBAN contains the character &quot;%s&quot;, which is not allowed.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist kein Ländercode eines SEPA-Landes; eine IBAN beginnt mit dem Ländercode, z. B. DE.</source>
        <translation>&quot;%s&quot; is not the country code of a SEPA country; an IBAN starts with the country code, e.g. DE.</translation>
    </message>
    <message>
        <source>Auf den Ländercode der IBAN folgen zwei Prüfziffern.</source>
        <translation>The country code of the IBAN must be followed by two check digits.</translation>
    </message>
    <message>
        <source>Eine IBAN aus %s hat %d Zeichen, diese hat %d.</source>
        <translation>An IBAN from %s has %d characters, this one has %d.</translation>
    </message>
    <message>
        <source>Die Prüfziffern der IBAN stimmen nicht; bitte auf Tippfehler prüfen.</source>
        <translation>The check digits of the IBAN do not match; please check for typing errors.</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; wirklich loeschen?</source>
        <translation>Really delete address &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>root storage create failed</source>
        <translation>root storage create failed</translation>
    </message>
    <message>
        <source>root storage open failed</source>
        <translation>root storage open failed</translation>
    </message>
    <message>
        <source>not a storage file</source>
        <translation>not a storage file</translation>
    </message>
    <message>
        <source>no storage name given</source>
        <translation>no storage name given</translation>
    </message>
    <message>
        <source>storage failed to commit</source>
        <translation>storage failed to commit</translation>
    </message>
    <message>
        <source>storage create failed</source>
        <translation>storage create failed</translation>
    </message>
    <message>
        <source>storage open failed</source>
        <translation>storage open failed</translation>
    </message>
    <message>
        <source>element destroy failed</source>
        <translation>element destroy failed</translation>
    </message>
    <message>
        <source>stream create failed</source>
        <translation>stream create failed</translation>
    </message>
    <message>
        <source>stream open failed</source>
        <translation>stream open failed</translation>
    </message>
    <message>
        <source>no stream name given</source>
        <translation>no stream name given</translation>
    </message>
    <message>
        <source>stream setsize failed</source>
        <translation>stream setsize failed</translation>
    </message>
    <message>
        <source>failed enumeration</source>
        <translation>failed enumeration</translation>
    </message>
    <message>
        <source>Filename &gt; 31 chars</source>
        <translation>Filename &gt; 31 chars</translation>
    </message>
    <message>
        <source>Unbekannte Art von Favoriten: %d</source>
        <translation>Unknown kind of favourite: %d</translation>
    </message>
    <message>
        <source>Kein Benutzer angemeldet.</source>
        <translation>No user is logged in.</translation>
    </message>
    <message>
        <source>Der Favorit konnte nicht gespeichert werden.</source>
        <translation>The favourite could not be saved.</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>Kalender</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Kein gültiges Datum</source>
        <translation>Not a valid date</translation>
    </message>
    <message>
        <source>%d Treffer</source>
        <translation>%d matches</translation>
    </message>
    <message>
        <source>(maximal %d Zeichen !)</source>
        <translation>(at most %d characters!)</translation>
    </message>
    <message>
        <source>Adressgruppe</source>
        <translation>Address group</translation>
    </message>
    <message>
        <source>Unerlaubte Zeichen in der Eingabe.</source>
        <translation>The input contains characters that are not allowed.</translation>
    </message>
    <message>
        <source>Auswahl: %s</source>
        <translation>Choice: %s</translation>
    </message>
    <message>
        <source>Liste bearbeiten</source>
        <translation>Edit list</translation>
    </message>
    <message>
        <source>Liste sortieren</source>
        <translation>Sort list</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Loeschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Neuer Eintrag</source>
        <translation>New entry</translation>
    </message>
    <message>
        <source>Anschrift bearbeiten</source>
        <translation>Edit postal address</translation>
    </message>
    <message>
        <source>Name %d</source>
        <translation>Name %d</translation>
    </message>
    <message>
        <source>Strasse</source>
        <translation>Street</translation>
    </message>
    <message>
        <source>Land</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>PLZ</source>
        <translation>Postcode</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Town</translation>
    </message>
    <message>
        <source>Anschriftart</source>
        <translation>Address kind</translation>
    </message>
    <message>
        <source>Geben Sie das Laenderkuerzel ein, um automatisch nach Ort und Postleitzahl suchen zu lassen.</source>
        <translation>Enter the country code to have town and postcode looked up automatically.</translation>
    </message>
    <message>
        <source>Merken</source>
        <translation>Remember</translation>
    </message>
    <message>
        <source>PLZ und Ort fuer die Zukunft speichern</source>
        <translation>Save postcode and town for later use</translation>
    </message>
    <message>
        <source>Postleitzahl</source>
        <translation>Postcode</translation>
    </message>
    <message>
        <source>Uebernehmen</source>
        <translation>Take over</translation>
    </message>
    <message>
        <source>Sie muessen einen Ort eingeben!</source>
        <translation>You must enter a town!</translation>
    </message>
    <message>
        <source>Sie muessen ein Land eingeben!</source>
        <translation>You must enter a country!</translation>
    </message>
    <message>
        <source>Dieses Laenderkuerzel wird nicht unterstuetzt!</source>
        <translation>This country code is not supported!</translation>
    </message>
    <message>
        <source>Sie muessen eine Postleitzahl eingeben!</source>
        <translation>You must enter a postcode!</translation>
    </message>
    <message>
        <source>Moechten Sie &quot;%s&quot; fuer die Zukunft speichern?</source>
        <translation>Do you want to save &quot;%s&quot; for later use?</translation>
    </message>
    <message>
        <source>Bankverbindung bearbeiten</source>
        <translation>Edit bank account</translation>
    </message>
    <message>
        <source>Kreditinstitut</source>
        <translation>Bank</translation>
    </message>
    <message>
        <source>IBAN</source>
        <translation>IBAN</translation>
    </message>
    <message>
        <source>BIC</source>
        <translation>BIC</translation>
    </message>
    <message>
        <source>Kurzbezeichnung</source>
        <translation>Short name</translation>
    </message>
    <message>
        <source>Bezeichnung</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Zahlungsbedingung bearbeiten</source>
        <translation>Edit payment term</translation>
    </message>
    <message>
        <source>Es werden zwei Typen von Zahlungsbedingungen unterstuetzt.</source>
        <translation>Two kinds of payment terms are supported.</translation>
    </message>
    <message>
        <source>Waehlen Sie den gewuenschten Typ aus!</source>
        <translation>Choose the kind you want!</translation>
    </message>
    <message>
        <source>Bis x Tage</source>
        <translation>Within x days</translation>
    </message>
    <message>
        <source>Bis Monatsmitte/-ende plus x halbe Monate</source>
        <translation>By mid-month/month end plus x half months</translation>
    </message>
    <message>
        <source>Prozent</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source>(0 Prozent = Netto)</source>
        <translation>(0 percent = net)</translation>
    </message>
    <message>
        <source>Eine Woche zaehlt</source>
        <translation>A week counts</translation>
    </message>
    <message>
        <source>Tage</source>
        <translation>days</translation>
    </message>
    <message>
        <source>Bis</source>
        <translation>Within</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>halbe Monate</source>
        <translation>half months</translation>
    </message>
    <message>
        <source>Vorgaben bearbeiten</source>
        <translation>Edit defaults</translation>
    </message>
    <message>
        <source>Kontakt</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Weitere Daten - Telefon, FAX, E-Mail...</source>
        <translation>Further data - telephone, fax, e-mail...</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Kennzeichen</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Hinzufuegen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Kontakt bearbeiten</source>
        <translation>Edit contact</translation>
    </message>
    <message>
        <source>Adressnummer</source>
        <translation>Address number</translation>
    </message>
    <message>
        <source>Adress-Nr.</source>
        <translation>Address no.</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Angebots-Nr.</source>
        <translation>Offer no.</translation>
    </message>
    <message>
        <source>Auftrags-Nr.</source>
        <translation>Order no.</translation>
    </message>
    <message>
        <source>Auftragsdatum</source>
        <translation>Order date</translation>
    </message>
    <message>
        <source>Besteller</source>
        <translation>Ordered by</translation>
    </message>
    <message>
        <source>Bestell-Nr.</source>
        <translation>Purchase order no.</translation>
    </message>
    <message>
        <source>Rechnungs-Nr.</source>
        <translation>Invoice no.</translation>
    </message>
    <message>
        <source>faellig am</source>
        <translation>due on</translation>
    </message>
    <message>
        <source>Interne Nr.</source>
        <translation>Internal no.</translation>
    </message>
    <message>
        <source>Lieferer</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <source>Auswahl</source>
        <translation>Choice</translation>
    </message>
    <message>
        <source>Mandant &quot;%s&quot; kann nicht geladen werden.</source>
        <translation>Tenant &quot;%s&quot; cannot be loaded.</translation>
    </message>
    <message>
        <source>Neue Adresse</source>
        <translation>New address</translation>
    </message>
    <message>
        <source>Nummernkreis</source>
        <translation>Number range</translation>
    </message>
    <message>
        <source>Bezeichnung Btx und EZUE</source>
        <translation>Name for Btx and EZUE</translation>
    </message>
    <message>
        <source>Die IBAN &quot;%s&quot; ist ungueltig.
%s
Moechten Sie sie trotzdem speichern?</source>
        <translation>The IBAN &quot;%s&quot; is not valid.
%s
Do you want to save it anyway?</translation>
    </message>
    <message>
        <source>Verzeichnis wurde nicht gefunden.</source>
        <translation>Folder not found.</translation>
    </message>
    <message>
        <source>Datei wurde nicht gefunden.</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>Fuer &quot;%s&quot; ist kein Programm zum Oeffnen eingerichtet.</source>
        <translation>No program is set up to open &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; konnte nicht geoeffnet werden.</source>
        <translation>&quot;%s&quot; could not be opened.</translation>
    </message>
    <message>
        <source>Fuer &quot;tel:&quot;-Links ist kein Telefonieprogramm eingerichtet. Bitte richten Sie in den Einstellungen des Desktops ein Programm fuer Telefonnummern ein.</source>
        <translation>No telephony program is set up for &quot;tel:&quot; links. Please choose a program for phone numbers in the desktop settings.</translation>
    </message>
    <message>
        <source>Fehler beim Waehlen der Telefonnummer.</source>
        <translation>Error while dialling the phone number.</translation>
    </message>
    <message>
        <source>Bankleitzahl</source>
        <translation>Bank code</translation>
    </message>
    <message>
        <source>Kontonummer</source>
        <translation>Account number</translation>
    </message>
    <message>
        <source>Wiedervorlage</source>
        <translation>Resubmission</translation>
    </message>
    <message>
        <source>Adressenstamm</source>
        <translation>Address master</translation>
    </message>
    <message>
        <source>Such-Assistent</source>
        <translation>Search assistant</translation>
    </message>
    <message>
        <source>Adresskennzeichen</source>
        <translation>Address flags</translation>
    </message>
    <message>
        <source>Kontaktkennzeichen</source>
        <translation>Contact flags</translation>
    </message>
    <message>
        <source>Spezielle Kontaktkennzeichen</source>
        <translation>Special contact flags</translation>
    </message>
    <message>
        <source>Spezialsuche starten</source>
        <translation>Start special search</translation>
    </message>
    <message>
        <source>Spezialsuche</source>
        <translation>Special search</translation>
    </message>
    <message>
        <source>Suchergebnis schliessen</source>
        <translation>Close search result</translation>
    </message>
    <message>
        <source>Suche starten</source>
        <translation>Start search</translation>
    </message>
    <message>
        <source>Suchtext</source>
        <translation>Search text</translation>
    </message>
    <message>
        <source>Umsch+F7</source>
        <translation>Shift+F7</translation>
    </message>
    <message>
        <source>Gehe zu Adresse</source>
        <translation>Go to address</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; nicht gefunden.</source>
        <translation>Address &quot;%s&quot; not found.</translation>
    </message>
    <message>
        <source>Sie sind nicht berechtigt, Adressen zu bearbeiten!</source>
        <translation>You are not allowed to edit addresses!</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten.</source>
        <translation>Error saving the data.</translation>
    </message>
    <message>
        <source>Nichts gefunden.</source>
        <translation>Nothing found.</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Anschriften</source>
        <translation>Postal addresses</translation>
    </message>
    <message>
        <source>Kontakte</source>
        <translation>Contacts</translation>
    </message>
    <message>
        <source>Informationen</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Als Favorit speichern</source>
        <translation>Save as favourite</translation>
    </message>
    <message>
        <source>Funktionen</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>Zum Speicher hinzufuegen</source>
        <translation>Add to store</translation>
    </message>
    <message>
        <source>Alle zum Speicher hinzufuegen</source>
        <translation>Add all to store</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Adressdupletten suchen</source>
        <translation>Find duplicate addresses</translation>
    </message>
    <message>
        <source>Kundenspezifische Preise zur aktuellen  Adresse</source>
        <translation>Customer-specific prices for the current address</translation>
    </message>
    <message>
        <source>Angelegt am %s von %s.
Geaendert am %s von %s.</source>
        <translation>Created on %s by %s.
Changed on %s by %s.</translation>
    </message>
    <message>
        <source>Auswahl Nummernkreis</source>
        <translation>Number range</translation>
    </message>
    <message>
        <source>Sie sind nicht berechtigt, Adressen anzulegen!</source>
        <translation>You are not allowed to create addresses!</translation>
    </message>
    <message>
        <source>Adresse &quot;%s&quot; existiert bereits.</source>
        <translation>Address &quot;%s&quot; already exists.</translation>
    </message>
    <message>
        <source>Allgemeiner Kontakt</source>
        <translation>General contact</translation>
    </message>
    <message>
        <source>Ueberschreiben?</source>
        <translation>Overwrite?</translation>
    </message>
    <message>
        <source>Sie sind nicht berechtigt, Adressen zu loeschen!</source>
        <translation>You are not allowed to delete addresses!</translation>
    </message>
    <message>
        <source>Die Adresse &quot;%s&quot; ist bereits in der Liste.</source>
        <translation>The address &quot;%s&quot; is already in the list.</translation>
    </message>
    <message>
        <source>Die Adresse &quot;%s&quot; wird auf Adresse &quot;%s&quot; weitergeleitet.</source>
        <translation>The address &quot;%s&quot; is forwarded to address &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Adresse trotzdem uebernehmen?</source>
        <translation>Take the address anyway?</translation>
    </message>
    <message>
        <source>Adress-Zwischenspeicher</source>
        <translation>Address store</translation>
    </message>
    <message>
        <source>Die Layoutdatei &quot;%s&quot; kann nicht gelesen werden: %s</source>
        <translation>The layout file &quot;%s&quot; cannot be read: %s</translation>
    </message>
    <message>
        <source>Unbekanntes Element &quot;%1&quot;.</source>
        <translation>Unknown element &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&lt;keiner&gt;</source>
        <translation>&lt;none&gt;</translation>
    </message>
    <message>
        <source>Beschriftung</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>Besitzer</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Der Name &quot;%1&quot; ist bereits vergeben.</source>
        <translation>The name &quot;%1&quot; is already taken.</translation>
    </message>
    <message>
        <source>Der Name darf nicht leer sein.</source>
        <translation>The name must not be empty.</translation>
    </message>
    <message>
        <source>Der Name der Flaeche kann nicht geaendert werden.</source>
        <translation>The name of the stage cannot be changed.</translation>
    </message>
    <message>
        <source>Der Wert muss zwischen %1 und %2 liegen.</source>
        <translation>The value must be between %1 and %2.</translation>
    </message>
    <message>
        <source>Die Eigenschaft &quot;%1&quot; gibt es hier nicht.</source>
        <translation>There is no property &quot;%1&quot; here.</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Schriftart, Groesse</source>
        <translation>Font, size</translation>
    </message>
    <message>
        <source>Soll das Element &quot;%s&quot; wirklich geloescht werden?</source>
        <translation>Do you really want to delete the element &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>Weitere Informationen</source>
        <translation>Further information</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist kein Eintrag der Liste.</source>
        <translation>&quot;%1&quot; is not an entry of the list.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist kein gueltiger Wert fuer %2.</source>
        <translation>&quot;%1&quot; is not a valid value for %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine gueltige Farbe.</source>
        <translation>&quot;%1&quot; is not a valid colour.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine gueltige Zahl.</source>
        <translation>&quot;%1&quot; is not a valid number.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist kein gueltiger Name: erlaubt sind Buchstaben, Ziffern und _, zuerst keine Ziffer.</source>
        <translation>&quot;%1&quot; is not a valid name: letters, digits and _ are allowed, no digit first.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine gueltige Schriftart: erwartet wird Schriftart, Groesse (1 bis 200).</source>
        <translation>&quot;%1&quot; is not a valid font: expected is font, size (1 to 200).</translation>
    </message>
    <message>
        <source>Zusatzdaten-Layout</source>
        <translation>Extra fields layout</translation>
    </message>
    <message>
        <source>Zusatzdaten</source>
        <translation>Extra fields</translation>
    </message>
    <message>
        <source>Adress-Weiterleitung</source>
        <translation>Address forwarding</translation>
    </message>
    <message>
        <source>Als Standard</source>
        <translation>As default</translation>
    </message>
    <message>
        <source>Auf der Landkarte anzeigen</source>
        <translation>Show on the map</translation>
    </message>
    <message>
        <source>Automatisch</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>BLZ</source>
        <translation>Bank code</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Bearbeiter</source>
        <translation>Clerk</translation>
    </message>
    <message>
        <source>Bonitaet</source>
        <translation>Credit rating</translation>
    </message>
    <message>
        <source>Debitor-Nr.</source>
        <translation>Debtor no.</translation>
    </message>
    <message>
        <source>Die Zahlungsbedingung existiert bereits.</source>
        <translation>The payment term exists already.</translation>
    </message>
    <message>
        <source>Es muss mindestens eine Anschrift vorhanden sein.</source>
        <translation>There must be at least one postal address.</translation>
    </message>
    <message>
        <source>In die Zwischenablage kopieren</source>
        <translation>Copy to the clipboard</translation>
    </message>
    <message>
        <source>Internetadresse oeffnen</source>
        <translation>Open web address</translation>
    </message>
    <message>
        <source>Kennzeichenauswahl</source>
        <translation>Flag selection</translation>
    </message>
    <message>
        <source>Konto</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Kreditlimit</source>
        <translation>Credit limit</translation>
    </message>
    <message>
        <source>Kreditor-Nr.</source>
        <translation>Creditor no.</translation>
    </message>
    <message>
        <source>Kunden-Nr.</source>
        <translation>Customer no.</translation>
    </message>
    <message>
        <source>Leistungsempfaenger nach Paragr.14b Abs.1 Satz 6 UStG (Deutschland)</source>
        <translation>Recipient under sec. 14b (1) sentence 6 UStG (Germany)</translation>
    </message>
    <message>
        <source>Leistungsempfaenger nach Paragr.13b Abs.1 Satz 1 Nr.4 Satz 1 UStG (Deutschland)</source>
        <translation>Recipient liable for VAT under sec. 13b (1) sentence 1 no. 4 sentence 1 UStG (Germany)</translation>
    </message>
    <message>
        <source>Leistungsempfaenger nach Paragr. 6a UStG Umsatzsteuerfrei aufgrund innergemeinschaftlicher Lieferung (Deutschland)</source>
        <translation>Recipient under sec. 6a UStG, VAT-free intra-community supply (Germany)</translation>
    </message>
    <message>
        <source>Mahntyp</source>
        <translation>Dunning</translation>
    </message>
    <message>
        <source>Manuell</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Moechten Sie den Kontakt %s wirklich loeschen?</source>
        <translation>Do you really want to delete the contact %s?</translation>
    </message>
    <message>
        <source>Moechten Sie die Anschrift wirklich loeschen?</source>
        <translation>Do you really want to delete the postal address?</translation>
    </message>
    <message>
        <source>MwSt-Ausweisung</source>
        <translation>VAT display</translation>
    </message>
    <message>
        <source>Neue E-Mail erzeugen</source>
        <translation>Write new e-mail</translation>
    </message>
    <message>
        <source>Nicht mahnen</source>
        <translation>No dunning</translation>
    </message>
    <message>
        <source>SMS senden</source>
        <translation>Send SMS</translation>
    </message>
    <message>
        <source>Spezielle Zahlungsinformationen</source>
        <translation>Special payment information</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Steuer-Nr.</source>
        <translation>Tax no.</translation>
    </message>
    <message>
        <source>Steuerfrei</source>
        <translation>Tax-free</translation>
    </message>
    <message>
        <source>Telefonnummer waehlen</source>
        <translation>Dial phone number</translation>
    </message>
    <message>
        <source>Umsatzsteuer-ID</source>
        <translation>VAT ID</translation>
    </message>
    <message>
        <source>Versicherung</source>
        <translation>Insurance</translation>
    </message>
    <message>
        <source>Wiedervorlage loeschen</source>
        <translation>Delete resubmission</translation>
    </message>
    <message>
        <source>Zahlungsbedingungen</source>
        <translation>Payment terms</translation>
    </message>
    <message>
        <source>Zahlungsweg aendern</source>
        <translation>Change payment way</translation>
    </message>
    <message>
        <source>Zahlungsweg hinzufuegen</source>
        <translation>Add payment way</translation>
    </message>
    <message>
        <source>Zahlungswege und Bankverbindungen</source>
        <translation>Payment ways and bank accounts</translation>
    </message>
    <message>
        <source>incl. MwSt.</source>
        <translation>incl. VAT</translation>
    </message>
    <message>
        <source>zuzuegl. MwSt.</source>
        <translation>plus VAT</translation>
    </message>
    <message>
        <source>Verzeichnis im Windows-Explorer oeffnen</source>
        <translation>Open the folder in the file manager</translation>
    </message>
    <message>
        <source>zum obersten Verzeichnis wechseln</source>
        <translation>Go to the folder above</translation>
    </message>
    <message>
        <source>Einscannen</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Als Kopie</source>
        <translation>As a copy</translation>
    </message>
    <message>
        <source>Als Verknuepfung</source>
        <translation>As a link</translation>
    </message>
    <message>
        <source>Dokument hinzufuegen</source>
        <translation>Add document</translation>
    </message>
    <message>
        <source>Kundenverzeichnis anlegen</source>
        <translation>Create customer folder</translation>
    </message>
    <message>
        <source>Kann Kundenverzeichnis nicht anlegen.</source>
        <translation>Cannot create the customer folder.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; existiert bereits.</source>
        <translation>The file &quot;%s&quot; already exists.</translation>
    </message>
    <message>
        <source>Das Kopieren der Datei ist fehlgeschlagen.</source>
        <translation>Copying the file failed.</translation>
    </message>
    <message>
        <source>Verknuepfung mit</source>
        <translation>Link to</translation>
    </message>
    <message>
        <source>Fehler beim Erstellen einer Verknuepfung zu &quot;%s&quot;.</source>
        <translation>Error creating a link to &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>PDF-Dateien</source>
        <translation>PDF files</translation>
    </message>
    <message>
        <source>Eine Datei mit diesem Namen existiert bereits.
Moechten Sie sie ueberschreiben?</source>
        <translation>A file with this name already exists.
Do you want to overwrite it?</translation>
    </message>
    <message>
        <source>Groesse</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Geaendert am</source>
        <translation>Date modified</translation>
    </message>
    <message>
        <source>Verknuepfung</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Dateiordner</source>
        <translation>File folder</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>%s-Datei</source>
        <translation>%s file</translation>
    </message>
    <message>
        <source>Zusaetzlich</source>
        <translation>Additional</translation>
    </message>
    <message>
        <source>Dokumente</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>Debitor / Kreditor</source>
        <translation>Debtor / creditor</translation>
    </message>
    <message>
        <source>Gesetzliche Vorgaben</source>
        <translation>Legal requirements</translation>
    </message>
    <message>
        <source>Zusaetzliche Journal-Felder bearbeiten</source>
        <translation>Edit additional journal fields</translation>
    </message>
    <message>
        <source>Zusaetzliche Felder festlegen</source>
        <translation>Define additional fields</translation>
    </message>
    <message>
        <source>--version muss 3 oder 4 sein.</source>
        <translation>--version must be 3 or 4.</translation>
    </message>
    <message>
        <source>schreibt Adressen als vCards</source>
        <translation>writes addresses as vCards</translation>
    </message>
    <message>
        <source>liest vCards als neue Adressen ein</source>
        <translation>reads vCards as new addresses</translation>
    </message>
    <message>
        <source>schreibt alle Adressen als CSV-Tabelle</source>
        <translation>writes all addresses as a CSV table</translation>
    </message>
    <message>
        <source>Schreibt alle Adressen des Mandanten oder die genannten Nummern als vCards
(Version 3.0, mit --version 4 Version 4.0, UTF-8) in DATEI, zum Beispiel für
Telefone und E-Mail-Programme.
</source>
        <translation>Writes all addresses of the tenant, or the numbers given, as vCards
(version 3.0, with --version 4 version 4.0, UTF-8) to FILE, for example for
phones and mail programs.
</translation>
    </message>
    <message>
        <source>Legt für jede vCard (Version 2.1, 3.0 oder 4.0) in DATEI eine neue Adresse
an; die Nummern folgen dem ersten Nummernkreis, sonst der letzten Nummer.
Eine fehlerhafte Datei ändert nichts.
</source>
        <translation>Creates a new address for every vCard (version 2.1, 3.0 or 4.0) in FILE;
the numbers follow the first number range, else the last number.
A faulty file changes nothing.
</translation>
    </message>
    <message>
        <source>Schreibt jede Adresse des Mandanten als Zeile einer CSV-Tabelle (UTF-8,
Trennzeichen ";", mit Kopfzeile) in DATEI, für Tabellenkalkulationen.
</source>
        <translation>Writes every address of the tenant as a row of a CSV table (UTF-8,
separator ";", with a header row) to FILE, for spreadsheets.
</translation>
    </message>
    <message>
        <source>Adresse "%s" angelegt: %s</source>
        <translation>Address "%s" created: %s</translation>
    </message>
    <message>
        <source>Zeile %d: %s</source>
        <translation>Line %d: %s</translation>
    </message>
    <message>
        <source>Der Zeichensatz "%s" ist unbekannt.</source>
        <translation>The character set "%s" is unknown.</translation>
    </message>
    <message>
        <source>Der Eintrag hat keinen Doppelpunkt zwischen Name und Wert.</source>
        <translation>The entry has no colon between name and value.</translation>
    </message>
    <message>
        <source>Der Eintrag hat keinen Namen.</source>
        <translation>The entry has no name.</translation>
    </message>
    <message>
        <source>Der Eintrag steht außerhalb von BEGIN:VCARD und END:VCARD.</source>
        <translation>The entry is outside BEGIN:VCARD and END:VCARD.</translation>
    </message>
    <message>
        <source>END:%s passt nicht zu BEGIN:VCARD.</source>
        <translation>END:%s does not match BEGIN:VCARD.</translation>
    </message>
    <message>
        <source>Die vCard-Version "%s" wird nicht unterstützt.</source>
        <translation>vCard version "%s" is not supported.</translation>
    </message>
    <message>
        <source>Die vCard endet nicht mit END:VCARD.</source>
        <translation>The vCard does not end with END:VCARD.</translation>
    </message>
    <message>
        <source>Der Text enthält keine vCard.</source>
        <translation>The text contains no vCard.</translation>
    </message>
    <message>
        <source>Die Datei "%s" kann nicht gelesen werden: %s</source>
        <translation>The file "%s" cannot be read: %s</translation>
    </message>
    <message>
        <source>Name 1</source>
        <translation>Name 1</translation>
    </message>
    <message>
        <source>Name 2</source>
        <translation>Name 2</translation>
    </message>
    <message>
        <source>Name 3</source>
        <translation>Name 3</translation>
    </message>
    <message>
        <source>Name 4</source>
        <translation>Name 4</translation>
    </message>
    <message>
        <source>Straße</source>
        <translation>Street</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Mobil</source>
        <translation>Mobile</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Web</translation>
    </message>
    <message>
        <source>Name klingt gleich</source>
        <translation>name sounds the same</translation>
    </message>
    <message>
        <source>Name klingt ähnlich</source>
        <translation>name sounds similar</translation>
    </message>
    <message>
        <source>Möglicherweise gibt es diese Adresse schon (%d):</source>
        <translation>This address may exist already (%d):</translation>
    </message>
    <message>
        <source>Als vCard exportieren</source>
        <translation>Export as vCard</translation>
    </message>
    <message>
        <source>vCards importieren</source>
        <translation>Import vCards</translation>
    </message>
    <message>
        <source>Gelistete Adressen als CSV exportieren</source>
        <translation>Export listed addresses as CSV</translation>
    </message>
    <message>
        <source>Moegliche Dubletten</source>
        <translation>Possible duplicates</translation>
    </message>
    <message>
        <source>Aktuelle Adresse (vCard 3.0)</source>
        <translation>Current address (vCard 3.0)</translation>
    </message>
    <message>
        <source>Aktuelle Adresse (vCard 4.0)</source>
        <translation>Current address (vCard 4.0)</translation>
    </message>
    <message>
        <source>Gelistete Adressen (vCard 3.0)</source>
        <translation>Listed addresses (vCard 3.0)</translation>
    </message>
    <message>
        <source>Gelistete Adressen (vCard 4.0)</source>
        <translation>Listed addresses (vCard 4.0)</translation>
    </message>
</context>
</TS>
