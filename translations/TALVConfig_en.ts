<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>ResStrings</name>
    <message>
        <source>Datei &quot;%s&quot; existiert nicht!</source>
        <translation>File &quot;%s&quot; does not exist!</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Daten sind nicht gespeichert. Jetzt speichern?</source>
        <translation>The configuration has unsaved changes. Save now?</translation>
    </message>
    <message>
        <source>Schliessen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>TALV-Gerätename</source>
        <translation>TALV device name</translation>
    </message>
    <message>
        <source>Bitte geben Sie den Namen des Gerätes ein :</source>
        <translation>Please enter the name of the device:</translation>
    </message>
    <message>
        <source>&lt;disabled&gt;</source>
        <translation>&lt;disabled&gt;</translation>
    </message>
    <message>
        <source>&amp;Verbinden</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>&amp;Trennen</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>Kommentar zu %s</source>
        <translation>Comment on %s</translation>
    </message>
    <message>
        <source>Kommentar zum TALV vorhanden|Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.</source>
        <translation>TALV comment present|Opens a window for entering a comment on the TALV device.</translation>
    </message>
    <message>
        <source>Kommentar zum TALV eingeben|Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.</source>
        <translation>Enter TALV comment|Opens a window for entering a comment on the TALV device.</translation>
    </message>
    <message>
        <source>Warte auf Start-Zeichenkette von TALV-Gerät.</source>
        <translation>Waiting for the start string from the TALV device.</translation>
    </message>
    <message>
        <source>Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.</source>
        <translation>Start string received; acknowledgement sent.</translation>
    </message>
    <message>
        <source>TALV-Gerät ist im Konfigurationsmodus.</source>
        <translation>TALV device is in configuration mode.</translation>
    </message>
    <message>
        <source>Die Sprache wurde auf &quot;%s&quot; umgeschaltet.
Sie müssen die Applikation beenden und neu starten.
Möchten sie die Applikation jetzt beenden?</source>
        <translation>The language has been switched to &quot;%s&quot;.
You must close the application and start it again.
Do you want to close the application now?</translation>
    </message>
    <message>
        <source>Sprache umgeschaltet</source>
        <translation>Language switched</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Konfigurationsmodus nicht erreicht: %s</source>
        <translation>Configuration mode not reached: %s</translation>
    </message>
    <message>
        <source>Das TALV-Gerät hat nicht innerhalb von %d msec geantwortet.</source>
        <translation>The TALV device did not reply within %d ms.</translation>
    </message>
    <message>
        <source>DSS1</source>
        <translation>DSS1</translation>
    </message>
    <message>
        <source>Standleitung B1</source>
        <translation>Leased line B1</translation>
    </message>
    <message>
        <source>Standleitung B2</source>
        <translation>Leased line B2</translation>
    </message>
    <message>
        <source>Standleitung B1+B2</source>
        <translation>Leased line B1+B2</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; geöffnet.</source>
        <translation>File &quot;%s&quot; opened.</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; geschlossen.</source>
        <translation>File &quot;%s&quot; closed.</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; gespeichert.</source>
        <translation>File &quot;%s&quot; saved.</translation>
    </message>
    <message>
        <source>%s: COMPort %d liegt ausserhalb von 1 bis 4, COM1 wird verwendet.</source>
        <translation>%s: COMPort %d is outside 1 to 4, using COM1.</translation>
    </message>
    <message>
        <source>---- Start der Prüfungen ----</source>
        <translation>---- Start of checks ----</translation>
    </message>
    <message>
        <source>---- Ende der Prüfungen ----</source>
        <translation>---- End of checks ----</translation>
    </message>
    <message>
        <source>Check: Eindeutigkeit aller MSNs prüfen.</source>
        <translation>Check: uniqueness of all MSNs.</translation>
    </message>
    <message>
        <source>Check: eine MSN wird von mehreren Rufern angewählt.</source>
        <translation>Check: an MSN is dialled by several callers.</translation>
    </message>
    <message>
        <source>Check: MSN liegt ausserhalb des Netzwerks.</source>
        <translation>Check: partner numbers outside the network.</translation>
    </message>
    <message>
        <source>Check: beide Stellen sind auf ACCEPT/DIAL eingestellt.</source>
        <translation>Check: both ends of a connection on DIAL or both on ACCEPT.</translation>
    </message>
    <message>
        <source>Check: Standleitung und DSS1 eingestellt.</source>
        <translation>Check: DSS1 devices facing leased lines.</translation>
    </message>
    <message>
        <source>%s.MSN1 ist identisch mit %s.MSN2.</source>
        <translation>%s.MSN1 is identical to %s.MSN2.</translation>
    </message>
    <message>
        <source>%s.MSN1 ist identisch mit %s.MSN1.</source>
        <translation>%s.MSN1 is identical to %s.MSN1.</translation>
    </message>
    <message>
        <source>%s.MSN2 ist identisch mit %s.MSN1.</source>
        <translation>%s.MSN2 is identical to %s.MSN1.</translation>
    </message>
    <message>
        <source>%s.MSN2 ist identisch mit %s.MSN2.</source>
        <translation>%s.MSN2 is identical to %s.MSN2.</translation>
    </message>
    <message>
        <source>%s.MSN1 wird von %d Rufern angewählt.</source>
        <translation>%s.MSN1 is dialled by %d callers.</translation>
    </message>
    <message>
        <source>%s.MSN2 wird von %d Rufern angewählt.</source>
        <translation>%s.MSN2 is dialled by %d callers.</translation>
    </message>
    <message>
        <source>%s.Number 1 (%s) liegt ausserhalb des Netzwerks.</source>
        <translation>%s.Number 1 (%s) is not a number in this network.</translation>
    </message>
    <message>
        <source>%s.Number 2 (%s) liegt ausserhalb des Netzwerks.</source>
        <translation>%s.Number 2 (%s) is not a number in this network.</translation>
    </message>
    <message>
        <source>%s.MSN1 und Anrufer %s.Number1 sind beide auf &quot;DIAL&quot; eingestellt.</source>
        <translation>%s.MSN1 and caller %s.Number1 are both set to &quot;DIAL&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN1 und Anrufer %s.Number1 sind beide auf &quot;ACCEPT&quot; eingestellt.</source>
        <translation>%s.MSN1 and caller %s.Number1 are both set to &quot;ACCEPT&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN1 und Anrufer %s.Number2 sind beide auf &quot;DIAL&quot; eingestellt.</source>
        <translation>%s.MSN1 and caller %s.Number2 are both set to &quot;DIAL&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN1 und Anrufer %s.Number2 sind beide auf &quot;ACCEPT&quot; eingestellt.</source>
        <translation>%s.MSN1 and caller %s.Number2 are both set to &quot;ACCEPT&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN2 und Anrufer %s.Number1 sind beide auf &quot;DIAL&quot; eingestellt.</source>
        <translation>%s.MSN2 and caller %s.Number1 are both set to &quot;DIAL&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN2 und Anrufer %s.Number1 sind beide auf &quot;ACCEPT&quot; eingestellt.</source>
        <translation>%s.MSN2 and caller %s.Number1 are both set to &quot;ACCEPT&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN2 und Anrufer %s.Number2 sind beide auf &quot;DIAL&quot; eingestellt.</source>
        <translation>%s.MSN2 and caller %s.Number2 are both set to &quot;DIAL&quot;.</translation>
    </message>
    <message>
        <source>%s.MSN2 und Anrufer %s.Number2 sind beide auf &quot;ACCEPT&quot; eingestellt.</source>
        <translation>%s.MSN2 and caller %s.Number2 are both set to &quot;ACCEPT&quot;.</translation>
    </message>
    <message>
        <source>%s ist auf &quot;DSS1&quot; und %s ist auf &quot;Standleitung&quot; eingestellt.</source>
        <translation>%s is set to &quot;DSS1&quot; and %s is set to &quot;Leased line&quot;.</translation>
    </message>
    <message>
        <source>%s ist auf &quot;Standleitung&quot; und %s ist auf &quot;DSS1&quot; eingestellt.</source>
        <translation>%s is set to &quot;Leased line&quot; and %s is set to &quot;DSS1&quot;.</translation>
    </message>
    <message>
        <source>TKovTerminal::ProcessReceived: Timout beim Senden nach %d msec.</source>
        <translation>TKovTerminal::ProcessReceived: time-out after sending, no reply within %d ms.</translation>
    </message>
    <message>
        <source>%s: falsche Antwort vom TALV erhalten.</source>
        <translation>%s: wrong reply received from the TALV.</translation>
    </message>
    <message>
        <source>&apos;%s&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%s&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>Systemfehler. Code: %d.
%s</source>
        <translation>System error. Code: %d.
%s</translation>
    </message>
    <message>
        <source>Eine Systemfunktion ist fehlgeschlagen</source>
        <translation>A system function failed</translation>
    </message>
    <message>
        <source>nach %s kann nicht geschrieben werden</source>
        <translation>Cannot write to %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; kann nicht in einer Profildatei stehen</source>
        <translation>&apos;%s&apos; cannot be stored in a settings file</translation>
    </message>
    <message>
        <source>Der Benutzer muss serielle Schnittstellen benutzen dürfen (unter Debian: Mitglied der Gruppe dialout).</source>
        <translation>Your account needs access to serial ports: add it to the group dialout and log in again.</translation>
    </message>
    <message>
        <source>Der Benutzer muss serielle Schnittstellen benutzen dürfen (Mitglied der Gruppe %s).</source>
        <translation>Your account needs access to serial ports: add it to the group %s and log in again.</translation>
    </message>
    <message>
        <source>Datei oder Gerät nicht vorhanden.</source>
        <translation>No such file or device.</translation>
    </message>
    <message>
        <source>Zugriff verweigert (keine Berechtigung).</source>
        <translation>Access denied (no permission).</translation>
    </message>
    <message>
        <source>Gerät belegt: ein anderes Programm oder ein anderes Gerätefeld hat die Schnittstelle schon geöffnet.</source>
        <translation>Device busy: another program or another device panel already has the port open.</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler.</source>
        <translation>Input/output error.</translation>
    </message>
    <message>
        <source>Gerät nicht vorhanden.</source>
        <translation>No such device.</translation>
    </message>
    <message>
        <source>Die Verbindung zum Gerät ist abgebrochen (Adapter abgezogen oder Leitung unterbrochen). Bitte Adapter und Kabel prüfen.</source>
        <translation>The connection to the device broke off (adapter unplugged or line hung up). Check the adapter and the cable.</translation>
    </message>
    <message>
        <source>%s (%s) kann nicht geöffnet werden: %s</source>
        <translation>Cannot open %s (%s): %s</translation>
    </message>
    <message>
        <source>Welches Gerät %s erreicht, wird unter &quot;Extras &gt; Optionen &gt; Kommunikation&quot; eingestellt.</source>
        <translation>Choose the device that %s reaches under &quot;Tools &gt; Options &gt; Communication&quot;.</translation>
    </message>
    <message>
        <source>Gefundene serielle Schnittstellen: %s</source>
        <translation>Serial ports found: %s</translation>
    </message>
    <message>
        <source>Es wurden keine seriellen Schnittstellen gefunden.</source>
        <translation>No serial ports were found.</translation>
    </message>
    <message>
        <source>Übertragung abgebrochen.</source>
        <translation>Transfer cancelled.</translation>
    </message>
    <message>
        <source>Eigene Nummer LWL1</source>
        <translation>Own number LWL1</translation>
    </message>
    <message>
        <source>Eigene Nummer LWL2</source>
        <translation>Own number LWL2</translation>
    </message>
    <message>
        <source>Partnernummer LWL1</source>
        <translation>Partner number LWL1</translation>
    </message>
    <message>
        <source>Partnernummer LWL2</source>
        <translation>Partner number LWL2</translation>
    </message>
    <message>
        <source>DIAL/ACCEPT</source>
        <translation>DIAL/ACCEPT</translation>
    </message>
    <message>
        <source>D-Kanal-Protokoll</source>
        <translation>D-channel protocol</translation>
    </message>
    <message>
        <source>LWL1 %s, LWL2 %s</source>
        <translation>LWL1 %s, LWL2 %s</translation>
    </message>
    <message>
        <source>%s: stimmt mit dem Plan überein.</source>
        <translation>%s: matches the plan.</translation>
    </message>
    <message>
        <source>%s: %d Parameter weichen vom Plan ab.</source>
        <translation>%s: %d parameters differ from the plan.</translation>
    </message>
    <message>
        <source>%s: %s: Plan &quot;%s&quot;, Gerät &quot;%s&quot;.</source>
        <translation>%s: %s: plan &quot;%s&quot;, device &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>---- Anlage prüfen ----</source>
        <translation>---- Verify installation ----</translation>
    </message>
    <message>
        <source>%s: übersprungen, nicht verbunden oder nicht im Konfigurationsmodus.</source>
        <translation>%s: skipped, not connected or not in configuration mode.</translation>
    </message>
    <message>
        <source>---- Anlage geprüft: %d von %d Geräten stimmen mit dem Plan überein, %d weichen ab, %d übersprungen, %d mit Fehler ----</source>
        <translation>---- Installation verified: %d of %d devices match the plan, %d differ, %d skipped, %d failed ----</translation>
    </message>
    <message>
        <source>%s: übersprungen, es läuft eine Übertragung.</source>
        <translation>%s: skipped, a transfer is running.</translation>
    </message>
    <message>
        <source>Win32-Fehler. Code: %d.
%s</source>
        <translation>Win32 error. Code: %d.
%s</translation>
    </message>
    <message>
        <source>Eine Win32-API-Funktion ist fehlgeschlagen</source>
        <translation>A call to a Win32 API function failed</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>TDlgCompare</name>
    <message>
        <source>Weicht vom Plan ab</source>
        <translation>Differs from the plan</translation>
    </message>
    <message>
        <source>Das Gerät stimmt mit dem Plan überein.</source>
        <translation>The device matches the plan.</translation>
    </message>
    <message>
        <source>%1 Parameter weichen vom Plan ab.</source>
        <translation>%1 parameters differ from the plan.</translation>
    </message>
    <message>
        <source>%1 mit dem Plan vergleichen</source>
        <translation>Compare %1 with the plan</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>Gerät</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>&amp;Gerätewert übernehmen</source>
        <translation>&amp;Take device value</translation>
    </message>
    <message>
        <source>&amp;Alle Gerätewerte übernehmen</source>
        <translation>Take &amp;all device values</translation>
    </message>
    <message>
        <source>Plan &amp;senden</source>
        <translation>&amp;Send plan</translation>
    </message>
    <message>
        <source>Sendet die Parameter des Plans an das TALV-Gerät (Sende Parameter).</source>
        <translation>Sends the parameters of the plan to the TALV device (Send parameters).</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TDlgOptions</name>
    <message>
        <source>Optionen</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Rahmen selektierter TALV</source>
        <translation>Active-device &amp;frame colour</translation>
    </message>
    <message>
        <source>&amp;Memo Font</source>
        <translation>&amp;Message-log font</translation>
    </message>
    <message>
        <source>Sample Text</source>
        <translation>Sample Text</translation>
    </message>
    <message>
        <source>Verbindungsfarben</source>
        <translation>Connection colours</translation>
    </message>
    <message>
        <source>zu TALV %1</source>
        <translation>to TALV %1</translation>
    </message>
    <message>
        <source>MSN %1</source>
        <translation>MSN %1</translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>Millisekunden</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Schnelle Übertragung</source>
        <translation>Fast transfer</translation>
    </message>
    <message>
        <source>&amp;Kommunikation</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>TDlgPressReset</name>
    <message>
        <source>TALV - Konfigurationsmodus anfordern</source>
        <translation>TALV - Request configuration mode</translation>
    </message>
    <message>
        <source>Bitte betätigen Sie 
die Reset-Taste am Gerät!</source>
        <translation>Please press 
the reset button on the device!</translation>
    </message>
    <message>
        <source>Das Gerät wechselt in den Konfigurationsmodus. Dieser Dialog schließt sich dann selbständig. Durch Betätigen des &quot;Abbrechen&quot;-Buttons unterbrechen sie die Anforderung des Konfigurationsmodus und kehren zum Programm zurück.</source>
        <translation>The device switches to configuration mode. This dialog then closes by itself. Press the &quot;Cancel&quot; button to stop the configuration-mode request and return to the program.</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>TFrameDev</name>
    <message>
        <source>Verbindung zwischen PC und TALV herstellen|Baut eine Verbindung zum TALV-Gerät über den eingestellten COM-Port auf.</source>
        <translation>Connect PC and TALV|Connects to the TALV device through the selected COM port.</translation>
    </message>
    <message>
        <source>Verbindung zwischen PC und TALV trennen|Trennt die Verbindung zwischen PC und dem TALV-Gerät.</source>
        <translation>Disconnect PC and TALV|Closes the connection between the PC and the TALV device.</translation>
    </message>
    <message>
        <source>K&amp;onfigurationsmodus</source>
        <translation>C&amp;onfiguration mode</translation>
    </message>
    <message>
        <source>Konfigurationsmodus aktivieren|Schaltet das TALV-Gerät in den Konfigurationsmodus.</source>
        <translation>Enter configuration mode|Switches the TALV device to configuration mode.</translation>
    </message>
    <message>
        <source>Empfange &amp;Parameter</source>
        <translation>Receive &amp;parameters</translation>
    </message>
    <message>
        <source>Parameter aus TALV empfangen|Lädt die Parameter aus dem TALV-Gerät.</source>
        <translation>Receive parameters from TALV|Loads the parameters from the TALV device.</translation>
    </message>
    <message>
        <source>&amp;Sende Parameter</source>
        <translation>&amp;Send parameters</translation>
    </message>
    <message>
        <source>Parameter zum TALV senden|Sendet die Parameter an das TALV-Gerät.</source>
        <translation>Send parameters to TALV|Sends the parameters to the TALV device.</translation>
    </message>
    <message>
        <source>St&amp;arten</source>
        <translation>St&amp;art</translation>
    </message>
    <message>
        <source>TALV-Gerät starten|TALV-Gerät mit den geladenen Parametern starten.</source>
        <translation>Start TALV device|Starts the TALV device with the loaded parameters.</translation>
    </message>
    <message>
        <source>ActClear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Löscht alle Einstellungen des Gerätes.</source>
        <translation>Clears all settings of the device.</translation>
    </message>
    <message>
        <source>&amp;Kommentar</source>
        <translation>Co&amp;mment</translation>
    </message>
    <message>
        <source>Kommentar zum TALV-Gerät|Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.</source>
        <translation>TALV device comment|Opens a window for entering a comment on the TALV device.</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Empfange Parameter</source>
        <translation>Receive parameters</translation>
    </message>
    <message>
        <source>Sende Parameter</source>
        <translation>Send parameters</translation>
    </message>
    <message>
        <source>Starten</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>%1: Schritt %2 von %3</source>
        <translation>%1: step %2 of %3</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>abgebrochen</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>error</translation>
    </message>
    <message>
        <source>%1: %2 bei Schritt %3 von %4</source>
        <translation>%1: %2 at step %3 of %4</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Vergleichen</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Ver&amp;gleichen</source>
        <translation>Co&amp;mpare</translation>
    </message>
    <message>
        <source>Gerät mit dem Plan vergleichen|Liest die Parameter des TALV-Gerätes und zeigt, wo sie vom Plan abweichen, ohne den Plan zu ändern.</source>
        <translation>Compare device with plan|Reads the parameters of the TALV device and shows where they differ from the plan, without changing the plan.</translation>
    </message>
</context>
<context>
    <name>TFrameDevControls</name>
    <message>
        <source>own FO1/LWL1</source>
        <translation>own FO1/LWL1</translation>
    </message>
    <message>
        <source>own FO2/LWL2</source>
        <translation>own FO2/LWL2</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Rufnummer für LWL1|Einstellung der eigenen Rufnummer für LWL1</source>
        <translation>Own number on LWL1|Sets this device&apos;s own number (MSN) on LWL1</translation>
    </message>
    <message>
        <source>Rufnummer für LWL2|Einstellung der eigenen Rufnummer für LWL2</source>
        <translation>Own number on LWL2|Sets this device&apos;s own number (MSN) on LWL2</translation>
    </message>
    <message>
        <source>DIAL</source>
        <translation>DIAL</translation>
    </message>
    <message>
        <source>ACCEPT</source>
        <translation>ACCEPT</translation>
    </message>
    <message>
        <source>Wählen|%1 wählt automatisch die angegebene Nummer.</source>
        <translation>Dial|%1 dials its partner&apos;s number automatically.</translation>
    </message>
    <message>
        <source>Annehmen|%1 nimmt Anruf eines anderen Gerätes an.</source>
        <translation>Accept|%1 accepts incoming calls from its partner.</translation>
    </message>
    <message>
        <source>Rufnummer TALV-Gegenstelle für LWL1|Einstellung der Rufnummer der TALV-Gegenstelle für LWL1.</source>
        <translation>Partner number on LWL1|Sets the number of the partner TALV that LWL1 dials or accepts calls from.</translation>
    </message>
    <message>
        <source>Rufnummer TALV-Gegenstelle für LWL2|Einstellung der Rufnummer der TALV-Gegenstelle für LWL2.</source>
        <translation>Partner number on LWL2|Sets the number of the partner TALV that LWL2 dials or accepts calls from.</translation>
    </message>
    <message>
        <source>Name des TALV-Gerätes|Einstellen eines symbolischen Namens für das TALV-Gerät.</source>
        <translation>TALV device name|Sets a symbolic name for the TALV device.</translation>
    </message>
    <message>
        <source>Auswahl COM-Port am PC|Serielle Schnittstelle (COM-Port) am PC für die Verbindung zum TALV-Gerät festlegen.</source>
        <translation>COM port on the PC|Selects the serial port (COM port) of the PC that leads to the TALV device.</translation>
    </message>
    <message>
        <source>D-Channel Protocol</source>
        <translation>D-channel protocol</translation>
    </message>
    <message>
        <source>Auswahl des D-Kanal-Protokolls|Auswahl des D-Kanal-Protokolls (DSS1, Standleitung).</source>
        <translation>D-channel protocol|Selects the D-channel protocol (DSS1, leased line).</translation>
    </message>
    <message>
        <source>&amp;Kommentar</source>
        <translation>Co&amp;mment</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Übertragung abbrechen|Bricht die Übertragung nach der laufenden Antwort ab (Esc).</source>
        <translation>Cancel transfer|Cancels the transfer after the reply under way (Esc).</translation>
    </message>
</context>
<context>
    <name>TFrmDevMemo</name>
    <message>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFrmMainWin</name>
    <message>
        <source>Meldungen</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Datentransfer</source>
        <translation>Data transfer</translation>
    </message>
    <message>
        <source>TALV-Configurator</source>
        <translation>TALV-Configurator</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Neue Datei|Neue Konfiguration bearbeiten.</source>
        <translation>New file|Starts a new configuration.</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Datei öffnen...|Datei mit einer Konfiguration öffnen.</source>
        <translation>Open file...|Opens a file holding a configuration.</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Datei speichern|Speichern der aktuellen Konfiguration in eine Datei.</source>
        <translation>Save file|Saves the current configuration to a file.</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Datei speichern unter...|Speichern der aktuellen Konfiguration in eine Datei unter einem anderen Namen.</source>
        <translation>Save file as...|Saves the current configuration to a file under another name.</translation>
    </message>
    <message>
        <source>S&amp;chliessen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Datei schliessen|Schließt die aktuelle Konfigurationsdatei.</source>
        <translation>Close file|Closes the current configuration file.</translation>
    </message>
    <message>
        <source>&amp;Drucken...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Drucken...|Druckt die Konfiguration aus.</source>
        <translation>Print...|Prints the configuration.</translation>
    </message>
    <message>
        <source>&amp;E-Mail senden...</source>
        <translation>Send &amp;e-mail...</translation>
    </message>
    <message>
        <source>Sende E-Mail...|Sendet die aktuelle Konfiguration per E-Mail.</source>
        <translation>Send e-mail...|Sends the current configuration by e-mail.</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>TALV-Configurator beenden.|Beendet den TALV-Configurator.</source>
        <translation>Exit TALV-Configurator.|Closes the TALV-Configurator.</translation>
    </message>
    <message>
        <source>&amp;Optionen...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Aufruf des Optionen-Dialogs|Ruft den Dialog mit den Einstellungsoptionen auf.</source>
        <translation>Open the options dialog|Opens the dialog with the settings.</translation>
    </message>
    <message>
        <source>&amp;Zeige Meldungen</source>
        <translation>&amp;Show messages</translation>
    </message>
    <message>
        <source>Meldungs-/Datentransferfenster ein-/ausblenden|Blendet das Meldungs- und Datentransferfenster ein bzw. aus.</source>
        <translation>Show/hide message and data transfer window|Shows or hides the message and data transfer window.</translation>
    </message>
    <message>
        <source>A&amp;usblenden</source>
        <translation>&amp;Hide</translation>
    </message>
    <message>
        <source>Meldungs-/Datentransferfenster ausblenden|Blendet das Meldungs- und Datentransferfenster aus.</source>
        <translation>Hide message and data transfer window|Hides the message and data transfer window.</translation>
    </message>
    <message>
        <source>Lösche &amp;Meldungen</source>
        <translation>Clear &amp;messages</translation>
    </message>
    <message>
        <source>Meldungen im Meldungsfenster löschen|Löschen aller Meldungen im Meldungsfenster.</source>
        <translation>Clear the message window|Clears all messages in the message window.</translation>
    </message>
    <message>
        <source>Lösche &amp;Datentransfer</source>
        <translation>Clear &amp;data transfer</translation>
    </message>
    <message>
        <source>Meldungen im Datentransferfenster löschen|Löschen aller Meldungen im Datentransferfenster.</source>
        <translation>Clear the data transfer window|Clears all lines in the data transfer window.</translation>
    </message>
    <message>
        <source>&amp;Prüfung</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>Prüfung aller Parameter|Prüfung der eingestellten Parameter aller TALV-Geräte.</source>
        <translation>Check all parameters|Checks the parameters set for all TALV devices.</translation>
    </message>
    <message>
        <source>&amp;Deutsch</source>
        <translation>&amp;German</translation>
    </message>
    <message>
        <source>TALV-Configurator in &quot;Deutsch&quot;|Schaltet den TALV-Configurator in deutsche Sprache um.</source>
        <translation>TALV-Configurator in &quot;German&quot;|Switches the TALV-Configurator to German.</translation>
    </message>
    <message>
        <source>&amp;Englisch</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>TALV-Configurator in &quot;Englisch&quot;|Schaltet den TALV-Configurator in englische Sprache um.</source>
        <translation>TALV-Configurator in &quot;English&quot;|Switches the TALV-Configurator to English.</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Hilfe öffnen|Öffnet die Hilfe zum TALV-Configurator.</source>
        <translation>Open help|Opens the TALV-Configurator help.</translation>
    </message>
    <message>
        <source>&amp;Demo-Konfiguration</source>
        <translation>&amp;Demo configuration</translation>
    </message>
    <message>
        <source>Demo-Konfiguration|Öffnet die Hilfe mit den Demo-Konfigurationen.</source>
        <translation>Demo configuration|Opens the help on the demo configurations.</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Information zum TALV-Configurator|Zeigt den Versionsdialog des TALV-Configurator an.</source>
        <translation>About TALV-Configurator|Shows the version dialog of the TALV-Configurator.</translation>
    </message>
    <message>
        <source>&amp;Verbinden</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>Konfigurationsmodus</source>
        <translation>Configuration mode</translation>
    </message>
    <message>
        <source>Empfange Parameter</source>
        <translation>Receive parameters</translation>
    </message>
    <message>
        <source>&amp;Sende Parameter</source>
        <translation>&amp;Send parameters</translation>
    </message>
    <message>
        <source>St&amp;arten</source>
        <translation>St&amp;art</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Gerät</source>
        <translation>&amp;Device</translation>
    </message>
    <message>
        <source>E&amp;xtras</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Sprache</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Sprache umschalten|Schaltet den TALV-Configurator in verschiedene Sprachen um.</source>
        <translation>Switch language|Switches the TALV-Configurator to another language.</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>1 Gerät</source>
        <translation>1 device</translation>
    </message>
    <message>
        <source>2 Geräte</source>
        <translation>2 devices</translation>
    </message>
    <message>
        <source>3 Geräte</source>
        <translation>3 devices</translation>
    </message>
    <message>
        <source>4 Geräte</source>
        <translation>4 devices</translation>
    </message>
    <message>
        <source>5 Geräte</source>
        <translation>5 devices</translation>
    </message>
    <message>
        <source>6 Geräte</source>
        <translation>6 devices</translation>
    </message>
    <message>
        <source>Anzahl TALV-Geräte|Einstellung der Anzahl der zu parametrierenden TALV-Geräte.</source>
        <translation>Number of TALV devices|Sets the number of TALV devices to configure.</translation>
    </message>
    <message>
        <source>KOV-Configuration (*.kov)</source>
        <translation>TALV configuration (*.kov)</translation>
    </message>
    <message>
        <source>Alle Dateien (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Alle verbinden</source>
        <translation>Connect all</translation>
    </message>
    <message>
        <source>Alle TALV-Geräte verbinden|Verbindet alle angezeigten TALV-Geräte gleichzeitig, jedes über seinen COM-Port.</source>
        <translation>Connect all TALV devices|Connects all shown TALV devices at once, each through its COM port.</translation>
    </message>
    <message>
        <source>Alle: Empfange Parameter</source>
        <translation>All: receive parameters</translation>
    </message>
    <message>
        <source>Parameter aller TALV-Geräte empfangen|Lädt die Parameter aus allen TALV-Geräten im Konfigurationsmodus gleichzeitig.</source>
        <translation>Receive parameters of all TALV devices|Loads the parameters from all TALV devices in configuration mode at once.</translation>
    </message>
    <message>
        <source>Alle: Sende Parameter</source>
        <translation>All: send parameters</translation>
    </message>
    <message>
        <source>Parameter an alle TALV-Geräte senden|Sendet die Parameter an alle TALV-Geräte im Konfigurationsmodus gleichzeitig.</source>
        <translation>Send parameters to all TALV devices|Sends the parameters to all TALV devices in configuration mode at once.</translation>
    </message>
    <message>
        <source>Alle starten</source>
        <translation>Start all</translation>
    </message>
    <message>
        <source>Alle TALV-Geräte starten|Startet alle TALV-Geräte im Konfigurationsmodus.</source>
        <translation>Start all TALV devices|Starts all TALV devices in configuration mode.</translation>
    </message>
    <message>
        <source>%1 und %2 verwenden beide %3: Geräte am selben COM-Port können nicht gleichzeitig bedient werden.</source>
        <translation>%1 and %2 both use %3: devices on the same COM port cannot be served at once.</translation>
    </message>
    <message>
        <source>verbunden</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>Parameter empfangen</source>
        <translation>parameters received</translation>
    </message>
    <message>
        <source>Parameter gesendet</source>
        <translation>parameters sent</translation>
    </message>
    <message>
        <source>gestartet</source>
        <translation>started</translation>
    </message>
    <message>
        <source>%1 von %2 Geräten: %3</source>
        <translation>%1 of %2 devices: %3</translation>
    </message>
    <message>
        <source>Mit %1 läuft noch eine Übertragung. Abbrechen?</source>
        <translation>A transfer with %1 is still running. Cancel it?</translation>
    </message>
    <message>
        <source>Ver&amp;gleichen</source>
        <translation>Co&amp;mpare</translation>
    </message>
    <message>
        <source>A&amp;nlage prüfen</source>
        <translation>&amp;Verify installation</translation>
    </message>
    <message>
        <source>Anlage prüfen|Vergleicht alle verbundenen TALV-Geräte im Konfigurationsmodus gleichzeitig mit dem Plan; der Plan bleibt, wie er ist.</source>
        <translation>Verify installation|Compares all connected TALV devices in configuration mode with the plan at once; the plan stays as it is.</translation>
    </message>
    <message>
        <source>Netzplan</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>&amp;Netzplan</source>
        <translation>&amp;Network</translation>
    </message>
    <message>
        <source>Netzplan ein-/ausblenden|Blendet den Netzplan der geplanten Geräte ein bzw. aus.</source>
        <translation>Show/hide network|Shows or hides the network of the planned devices.</translation>
    </message>
    <message>
        <source>Als &amp;PNG exportieren...</source>
        <translation>Export as &amp;PNG...</translation>
    </message>
    <message>
        <source>Netzplan als PNG exportieren|Speichert den Netzplan als Bild (PNG).</source>
        <translation>Export network as PNG|Saves the network as a picture (PNG).</translation>
    </message>
    <message>
        <source>Als &amp;SVG exportieren...</source>
        <translation>Export as &amp;SVG...</translation>
    </message>
    <message>
        <source>Netzplan als SVG exportieren|Speichert den Netzplan als Vektorgrafik (SVG).</source>
        <translation>Export network as SVG|Saves the network as a vector drawing (SVG).</translation>
    </message>
    <message>
        <source>Netzplan als PNG exportieren</source>
        <translation>Export network as PNG</translation>
    </message>
    <message>
        <source>PNG-Bild (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Netzplan als SVG exportieren</source>
        <translation>Export network as SVG</translation>
    </message>
    <message>
        <source>SVG-Grafik (*.svg)</source>
        <translation>SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>Seiten&amp;ansicht...</source>
        <translation>Print Pre&amp;view...</translation>
    </message>
    <message>
        <source>Seitenansicht...|Zeigt die Seiten des Ausdrucks der Konfiguration.</source>
        <translation>Print preview...|Shows the pages of the printout of the configuration.</translation>
    </message>
    <message>
        <source>Als &amp;PDF exportieren...</source>
        <translation>Export as P&amp;DF...</translation>
    </message>
    <message>
        <source>Als PDF exportieren...|Schreibt den Ausdruck der Konfiguration in eine PDF-Datei.</source>
        <translation>Export as PDF...|Writes the printout of the configuration to a PDF file.</translation>
    </message>
    <message>
        <source>Als PDF exportieren</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>THelpViewer</name>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>&amp;Inhalt</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;Zurück</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>&amp;Vor</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>Die Hilfedatei &quot;%1&quot; wurde nicht gefunden.</source>
        <translation>The help file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>Das Thema &quot;%1&quot; gibt es in der Hilfedatei &quot;%2&quot; nicht.</source>
        <translation>The help file &quot;%2&quot; has no topic &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Zum Hilfekontext %1 gibt es in der Hilfedatei &quot;%2&quot; kein Thema.</source>
        <translation>The help file &quot;%2&quot; has no topic for help context %1.</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>TMainStatusBar</name>
    <message>
        <source>Fehler:</source>
        <translation>Errors:</translation>
    </message>
    <message>
        <source>Warnungen:</source>
        <translation>Warnings:</translation>
    </message>
</context>
<context>
    <name>TRecentFilesMenu</name>
    <message>
        <source>Liste leeren</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>Liste leeren|Leert die Liste der zuletzt geöffneten oder gespeicherten Dateien.</source>
        <translation>Clear list|Clears the list of the files opened or saved last.</translation>
    </message>
</context>
<context>
    <name>TReport</name>
    <message>
        <source>TALV-Konfiguration</source>
        <translation>TALV configuration</translation>
    </message>
    <message>
        <source>(nicht gespeichert)</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>dd.MM.yyyy</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>Programmversion:</source>
        <translation>Program version:</translation>
    </message>
    <message>
        <source>beide LWL wählen automatisch</source>
        <translation>both LWL dial automatically</translation>
    </message>
    <message>
        <source>LWL1 wählt automatisch, LWL2 nimmt an</source>
        <translation>LWL1 dials automatically, LWL2 accepts</translation>
    </message>
    <message>
        <source>LWL2 wählt automatisch, LWL1 nimmt an</source>
        <translation>LWL2 dials automatically, LWL1 accepts</translation>
    </message>
    <message>
        <source>kein automatischer Ruf, beide LWL nehmen an</source>
        <translation>no automatic call, both LWL accept</translation>
    </message>
    <message>
        <source>Gerät %1: %2</source>
        <translation>Device %1: %2</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Prüfung der Konfiguration</source>
        <translation>Check of the configuration</translation>
    </message>
    <message>
        <source>Die Prüfung hat nichts gefunden.</source>
        <translation>The check found nothing.</translation>
    </message>
    <message>
        <source>Fehler:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Warnung:</source>
        <translation>Warning:</translation>
    </message>
    <message>
        <source>Hinweis:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Vergleich fehlgeschlagen: %1</source>
        <translation>comparison failed: %1</translation>
    </message>
    <message>
        <source>stimmt mit dem Plan überein.</source>
        <translation>agrees with the plan.</translation>
    </message>
    <message>
        <source>weicht vom Plan ab:</source>
        <translation>differs from the plan:</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>Gerät</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Vergleich der Geräte mit dem Plan</source>
        <translation>Devices compared with the plan</translation>
    </message>
    <message>
        <source>Der Bericht kann nicht ausgegeben werden.</source>
        <translation>The report cannot be output.</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>talvctl</name>
    <message>
        <source>abgebrochen</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; nicht gefunden.</source>
        <translation>File &quot;%s&quot; not found.</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; kann nicht gelesen werden.</source>
        <translation>File &quot;%s&quot; cannot be read.</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; enthält nur %d Gerät</source>
        <translation>file &quot;%s&quot; holds only %d device</translation>
    </message>
    <message>
        <source>Datei &quot;%s&quot; enthält nur %d Geräte</source>
        <translation>file &quot;%s&quot; holds only %d devices</translation>
    </message>
    <message>
        <source>Option &apos;%s&apos; erwartet einen Wert</source>
        <translation>option &apos;%s&apos; needs a value</translation>
    </message>
    <message>
        <source>%s liegt nicht im Bereich %d..%d</source>
        <translation>%s is not in the range %d..%d</translation>
    </message>
    <message>
        <source>Option &apos;%s&apos; mehrfach angegeben</source>
        <translation>option &apos;%s&apos; given more than once</translation>
    </message>
    <message>
        <source>Option &apos;--into&apos;: leerer Wert</source>
        <translation>option &apos;--into&apos;: empty value</translation>
    </message>
    <message>
        <source>Option &apos;%s&apos; ist hier nicht erlaubt</source>
        <translation>option &apos;%s&apos; is not allowed here</translation>
    </message>
    <message>
        <source>Option &apos;--into&apos; ohne &apos;--device&apos; oder &apos;--all&apos;</source>
        <translation>option &apos;--into&apos; without &apos;--device&apos; or &apos;--all&apos;</translation>
    </message>
    <message>
        <source>Option &apos;--device&apos; ohne &apos;--into&apos;</source>
        <translation>option &apos;--device&apos; without &apos;--into&apos;</translation>
    </message>
    <message>
        <source>Option &apos;--device&apos; oder &apos;--all&apos; fehlt</source>
        <translation>option &apos;--device&apos; or &apos;--all&apos; missing</translation>
    </message>
    <message>
        <source>Dateiname fehlt</source>
        <translation>file name missing</translation>
    </message>
    <message>
        <source>Option &apos;%s&apos; erwartet keinen Wert</source>
        <translation>option &apos;%s&apos; takes no value</translation>
    </message>
    <message>
        <source>Option &apos;--port&apos;: leerer Wert</source>
        <translation>option &apos;--port&apos;: empty value</translation>
    </message>
    <message>
        <source>Option &apos;--lang&apos;: &apos;%s&apos; ist keine Sprache (de, en)</source>
        <translation>option &apos;--lang&apos;: &apos;%s&apos; is not a language (de, en)</translation>
    </message>
    <message>
        <source>Option &apos;--format&apos;: &apos;%s&apos; ist kein Format (text, json)</source>
        <translation>option &apos;--format&apos;: &apos;%s&apos; is not a format (text, json)</translation>
    </message>
    <message>
        <source>unbekannte Option &apos;%s&apos;</source>
        <translation>unknown option &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Option &apos;%s&apos; muss vor den Kommandos stehen</source>
        <translation>option &apos;%s&apos; must come before the commands</translation>
    </message>
    <message>
        <source>unbekanntes Kommando &apos;%s&apos;</source>
        <translation>unknown command &apos;%s&apos;</translation>
    </message>
    <message>
        <source>kein Kommando angegeben</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>Steuerzeichen und &apos;%s&apos; sind nicht erlaubt</source>
        <translation>control characters and &apos;%s&apos; are not allowed</translation>
    </message>
    <message>
        <source>&apos;%s&apos; ist keine Zuweisung KEY=VALUE</source>
        <translation>&apos;%s&apos; is not an assignment KEY=VALUE</translation>
    </message>
    <message>
        <source>unbekannter Parameter &apos;%s&apos;</source>
        <translation>unknown parameter &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Parameter &apos;%s&apos; mehrfach angegeben</source>
        <translation>parameter &apos;%s&apos; given more than once</translation>
    </message>
    <message>
        <source>Parameter fehlt: %s</source>
        <translation>parameter missing: %s</translation>
    </message>
    <message>
        <source>Anforderung des Konfigurationsmodus abgebrochen.</source>
        <translation>Configuration-mode request cancelled.</translation>
    </message>
    <message>
        <source>Vorgang abgebrochen.</source>
        <translation>Operation cancelled.</translation>
    </message>
    <message>
        <source>Optionen &apos;--device&apos; und &apos;--all&apos; schließen einander aus</source>
        <translation>options &apos;--device&apos; and &apos;--all&apos; exclude each other</translation>
    </message>
    <message>
        <source>Option &apos;--all&apos; ohne &apos;--into&apos;</source>
        <translation>option &apos;--all&apos; without &apos;--into&apos;</translation>
    </message>
    <message>
        <source>Option &apos;--port&apos; geht nicht zusammen mit &apos;--all&apos;: die Ports der Geräte stehen in der Datei</source>
        <translation>option &apos;--port&apos; cannot be combined with &apos;--all&apos;: the devices&apos; ports are in the file</translation>
    </message>
    <message>
        <source>Kommando &apos;%s&apos; geht nicht zusammen mit &apos;--all&apos;: es spricht nur das Gerät an einem Port an</source>
        <translation>command &apos;%s&apos; cannot be combined with &apos;--all&apos;: it talks to the device at one port only</translation>
    </message>
    <message>
        <source>Geräte &quot;%s&quot; (COM%d) und &quot;%s&quot; (COM%d) führen beide zu %s</source>
        <translation>devices &quot;%s&quot; (COM%d) and &quot;%s&quot; (COM%d) both lead to %s</translation>
    </message>
    <message>
        <source>Parameter empfangen</source>
        <translation>parameters received</translation>
    </message>
    <message>
        <source>Parameter gesendet</source>
        <translation>parameters sent</translation>
    </message>
    <message>
        <source>Parameter verglichen</source>
        <translation>parameters compared</translation>
    </message>
    <message>
        <source>%d von %d Gerät: %s</source>
        <translation>%d of %d device: %s</translation>
    </message>
    <message>
        <source>%d von %d Geräten: %s</source>
        <translation>%d of %d devices: %s</translation>
    </message>
    <message>
        <source>Option &apos;-o&apos; fehlt</source>
        <translation>option &apos;-o&apos; missing</translation>
    </message>
    <message>
        <source>Option &apos;-o&apos;: &apos;%s&apos; endet weder auf .pdf noch auf .svg</source>
        <translation>option &apos;-o&apos;: &apos;%s&apos; ends neither in .pdf nor in .svg</translation>
    </message>
    <message>
        <source>dieses talvctl kann keine Berichte schreiben</source>
        <translation>this talvctl cannot write reports</translation>
    </message>
    <message>
        <source>  --port COMn|PFAD  ein COM-Port (COM5, COM12) oder \\.\NAME; Vorgabe COM1.
                    COM1..COM4 führen zu dem Port, der im Abschnitt [Ports]
                    der Datei %APPDATA%\TALV-Configurator\TALVConfig.INI
                    steht, sonst zu dem Port gleichen Namens
</source>
        <translation>  --port COMn|PATH  a COM port (COM5, COM12) or \\.\NAME; default COM1.
                    COM1..COM4 lead to the port named in section [Ports]
                    of the file %APPDATA%\TALV-Configurator\TALVConfig.INI,
                    otherwise to the port of the same name
</translation>
    </message>
    <message>
        <source>  --port COMn|PFAD  COM1..COM4 oder ein Gerätepfad; Vorgabe COM1. COMn führt
                    zu dem Gerät, das im Abschnitt [Ports] der Datei
                    TALVConfig.INI (in $XDG_CONFIG_HOME oder ~/.config) steht,
                    sonst zu /dev/ttyS0..3
</source>
        <translation>  --port COMn|PATH  COM1..COM4 or a device path; default COM1. COMn leads to
                    the device named in section [Ports] of the file
                    TALVConfig.INI (in $XDG_CONFIG_HOME or ~/.config),
                    otherwise to /dev/ttyS0..3
</translation>
    </message>
    <message>
        <source>Aufruf: talvctl [--port COMn|PFAD] [--timeout MS] [--fast] [--lang de|en] [--log] [--help]
               [--version] KOMMANDO...

Optionen:
{port}  --timeout MS      Antwortzeit des Geräts in msec (auf 100 abgerundet, mindestens
                    500); Vorgabe 500
  --fast            schnelle Übertragung: jedes Lesen endet, sobald die Antwort
                    da ist, statt immer 500 msec zu warten; für aktuelle Geräte.
                    Ohne --fast geht es mit jedem Gerät (ältere brauchen das)
  --lang de|en      Sprache der Ausgaben: Deutsch oder Englisch; Vorgabe die
                    Sprache, die im TALV-Configurator neben talvctl eingestellt
                    ist, sonst die Sprache des Benutzers
  --log             jede gesendete und empfangene Zeile auf stderr ausgeben;
                    mit --all beginnt jede mit dem Namen ihres Geräts
  --help            diesen Text ausgeben
  --version         die Version ausgeben

Kommandos (mehrere werden der Reihe nach ausgeführt):
  request-config-mode  auf den Reset des Geräts warten und den
                       Konfigurationsmodus anfordern (Abbruch mit Strg-C)
  receive              Parameter vom Gerät lesen und als KEY=VALUE ausgeben
  receive --into DATEI --device N
                       Parameter vom Gerät lesen und als Gerät N (1..6) in DATEI
                       speichern; alles andere in DATEI bleibt erhalten, eine
                       fehlende DATEI wird angelegt
  receive --into DATEI --all
                       Parameter von allen Geräten in DATEI zugleich lesen, jedes
                       an seinem COMPort aus DATEI (COMn wie bei --port), und in
                       DATEI speichern; ein Gerät, das scheitert, behält dort
                       seine bisherigen Werte
  send KEY=VALUE...    Werkseinstellungen laden, Parameter senden und speichern;
                       alle sechs Parameter sind anzugeben:
                       MsnIncoming1, MsnIncoming2, AutomaticCallMode (0..3),
                       AutomaticCallNumber1, AutomaticCallNumber2,
                       IsdnDChannelProtocol (0, 1, 5..8, 12..14)
  send DATEI --device N
                       wie send KEY=VALUE..., mit den Parametern von Gerät N
                       aus DATEI
  send DATEI --all     wie send DATEI --device N, für alle Geräte in DATEI
                       zugleich, jedes an seinem COMPort aus DATEI
  diff DATEI --device N
                       Parameter vom Gerät lesen und mit Gerät N aus DATEI
                       vergleichen, DATEI bleibt unverändert; je abweichendem
                       Parameter eine Zeile KEY: plan=WERT device=WERT
  diff DATEI --all     wie diff DATEI --device N, für alle Geräte in DATEI
                       zugleich, jedes an seinem COMPort aus DATEI; jede Zeile
                       beginnt mit dem Abschnitt des Geräts (Device2: KEY: ...)
  go                   Konfigurationsmodus verlassen, das Gerät startet
  check DATEI [--format text|json]
                       die Konfiguration in DATEI prüfen und jede Meldung als
                       ART: TEXT ausgeben (info, warning, error, heading);
                       mit json je Meldung ein JSON-Objekt mit kind, text,
                       device (1..6 oder null) und field (Schlüssel oder null);
                       bei Fehlern endet der Aufruf hier mit Status 1
  show DATEI           die Geräte in DATEI als KEY=VALUE ausgeben
  report DATEI -o AUSGABE.pdf|AUSGABE.svg
                       den Bericht über DATEI als PDF schreiben (Netzbild,
                       Geräte, Prüfung) oder nur das Netzbild als SVG

check, show und report brauchen kein Gerät; allein öffnen sie keinen Port.
Mit --all meldet jedes Gerät unter seinem Namen Erfolg oder Fehler, dann folgt
eine Zeile für alle; --all geht nicht zusammen mit --port und nicht mit den
Kommandos, die das Gerät an einem Port ansprechen. Zwei Geräte am selben Port
sind ein Aufruffehler.

Exit-Status: 0 Erfolg, 1 Fehler am Gerät, Abbruch, Fehler in der Prüfung oder
             Ausgabe nicht schreibbar, 2 Aufruffehler, Datei nicht lesbar
             oder Prüfung abgebrochen
diff: 0 Gerät wie geplant, 1 Abweichung (der Aufruf endet hier), 2 wie oben,
      3 Fehler am Gerät oder Port oder Abbruch
</source>
        <translation>Usage: talvctl [--port COMn|PATH] [--timeout MS] [--fast] [--lang de|en] [--log] [--help]
               [--version] COMMAND...

Options:
{port}  --timeout MS      reply time of the device in ms (rounded down to 100, at
                    least 500); default 500
  --fast            fast transfer: each read ends once the reply is there,
                    not always after 500 ms; for current devices. Without
                    --fast every device works; older devices need that
  --lang de|en      language of the output: German or English; default the
                    language set in the TALV-Configurator beside talvctl,
                    otherwise the user&apos;s language
  --log             print every line sent and received on stderr; with --all
                    each starts with the name of its device
  --help            print this text
  --version         print the version

Commands (several run one after the other):
  request-config-mode  wait for the device&apos;s reset and request
                       configuration mode (cancel with Ctrl-C)
  receive              read the parameters from the device and print them as
                       KEY=VALUE
  receive --into FILE --device N
                       read the parameters from the device and save them as
                       device N (1..6) in FILE; everything else in FILE is
                       kept, a missing FILE is created
  receive --into FILE --all
                       read the parameters from all devices in FILE at once,
                       each at its COMPort from FILE (COMn as for --port), and
                       save them in FILE; a device that fails keeps its
                       previous values there
  send KEY=VALUE...    load the factory settings, send the parameters and
                       store them; all six parameters must be given:
                       MsnIncoming1, MsnIncoming2, AutomaticCallMode (0..3),
                       AutomaticCallNumber1, AutomaticCallNumber2,
                       IsdnDChannelProtocol (0, 1, 5..8, 12..14)
  send FILE --device N
                       like send KEY=VALUE..., with the parameters of device N
                       from FILE
  send FILE --all      like send FILE --device N, for all devices in FILE at
                       once, each at its COMPort from FILE
  diff FILE --device N
                       read the parameters from the device and compare them
                       with device N from FILE, leaving FILE unchanged; one
                       line KEY: plan=VALUE device=VALUE per differing parameter
  diff FILE --all      like diff FILE --device N, for all devices in FILE at
                       once, each at its COMPort from FILE; each line starts
                       with the device&apos;s section (Device2: KEY: ...)
  go                   leave configuration mode; the device starts
  check FILE [--format text|json]
                       check the configuration in FILE and print each finding
                       as KIND: TEXT (info, warning, error, heading); with
                       json one JSON object per finding with kind, text,
                       device (1..6 or null) and field (key or null); on
                       errors the call ends here with status 1
  show FILE            print the devices in FILE as KEY=VALUE
  report FILE -o OUTPUT.pdf|OUTPUT.svg
                       write the report on FILE as a PDF (network picture,
                       devices, check) or the network picture alone as SVG

check, show and report need no device; on their own they open no port.
With --all each device reports success or its error under its name, then one
line sums up all; --all cannot be combined with --port nor with the commands
that talk to the device at one port. Two devices at the same port are a usage
error.

Exit status: 0 success, 1 device failure, cancel, errors found by the check or
             output not writable, 2 usage error, file not readable
             or check aborted
diff: 0 device as planned, 1 differences (the call ends here), 2 as above,
      3 device or port failure, or cancel
</translation>
    </message>
</context>
</TS>
