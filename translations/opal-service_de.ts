<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>A4CheckPanel</name>
    <message>
        <source>Print A4 pattern </source>
        <translation>A4-Prüfmuster drucken </translation>
    </message>
    <message>
        <source>1. Beta pattern(BK-C-M-LC-LM-Y) </source>
        <translation>1. Vollflächenmuster (BK-C-M-LC-LM-Y) </translation>
    </message>
    <message>
        <source>2. Nozzle check pattern(BK-C-M-LC-LM-Y) </source>
        <translation>2. Düsentestmuster (BK-C-M-LC-LM-Y) </translation>
    </message>
    <message>
        <source>3. Head alignment pattern(BK-C-M-LC-LM-Y) </source>
        <translation>3. Druckkopf-Ausrichtungsmuster (BK-C-M-LC-LM-Y) </translation>
    </message>
    <message>
        <source>4. Head ID </source>
        <translation>4. Druckkopf-ID </translation>
    </message>
    <message>
        <source>5. USB  ID </source>
        <translation>5. USB-ID </translation>
    </message>
    <message>
        <source>6. Protection counter value</source>
        <translation>6. Stand des Abfalltintenzählers</translation>
    </message>
    <message>
        <source>7. Bi-d check pattern</source>
        <translation>7. Bi-D-Prüfmuster</translation>
    </message>
    <message>
        <source>8. ZLIS information</source>
        <translation>8. ZLIC-Informationen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AdjustedItemPanel</name>
    <message>
        <source>Adjusted Item</source>
        <translation>Eingestellter Wert</translation>
    </message>
    <message>
        <source>color: white; background: #0097c0; padding: 3px;</source>
        <translation>color: white; background: #0097c0; padding: 3px;</translation>
    </message>
    <message>
        <source>Head voltage ID</source>
        <translation>Kopfspannungs-ID</translation>
    </message>
    <message>
        <source>Bi-D Adjustment value</source>
        <translation>Bi-D-Ausrichtungswert</translation>
    </message>
    <message>
        <source>MS Black</source>
        <translation>MS Schwarz</translation>
    </message>
    <message>
        <source>6pl Black</source>
        <translation>6pl Schwarz</translation>
    </message>
    <message>
        <source>4pl Black</source>
        <translation>4pl Schwarz</translation>
    </message>
    <message>
        <source>MS Color</source>
        <translation>MS Farbe</translation>
    </message>
    <message>
        <source>6pl Color</source>
        <translation>6pl Farbe</translation>
    </message>
    <message>
        <source>4pl Color</source>
        <translation>4pl Farbe</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB-ID</translation>
    </message>
    <message>
        <source>Protection counter value</source>
        <translation>Abfalltintenzähler</translation>
    </message>
</context>
<context>
    <name>ApplicationExit</name>
    <message>
        <source>Diagnose...</source>
        <translation>Diagnose...</translation>
    </message>
</context>
<context>
    <name>BidInputPanel</name>
    <message>
        <source>Input Bi-D adjustment value </source>
        <translation>Bi-D-Ausrichtungswerte eingeben </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingeben</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
</context>
<context>
    <name>BidItemsPanel</name>
    <message>
        <source>Bi-Directional adjustment items </source>
        <translation>Bi-D-Ausrichtung (bidirektional) </translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Print the Bi-D adjustment pattern.</source>
        <translation>Bi-D-Ausrichtungsmuster drucken.</translation>
    </message>
    <message>
        <source>Input Bi-D adjustment value.</source>
        <translation>Bi-D-Ausrichtungswerte eingeben.</translation>
    </message>
    <message>
        <source>Check present adjustment data.</source>
        <translation>Aktuelle Ausrichtungswerte prüfen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>BidPrintPanel</name>
    <message>
        <source>Print the Bi-D adjustment pattern </source>
        <translation>Bi-D-Ausrichtungsmuster drucken </translation>
    </message>
    <message>
        <source>Bi-D adjustment pattern will print.</source>
        <translation>Das Bi-D-Ausrichtungsmuster wird gedruckt.</translation>
    </message>
    <message>
        <source>(We recommend to use high quality paper.)</source>
        <translation>(Wir empfehlen hochwertiges Papier.)</translation>
    </message>
    <message>
        <source>You can specify the print start position by Track Bar.</source>
        <translation>Mit dem Schieberegler legen Sie die Startposition des Drucks fest.</translation>
    </message>
    <message>
        <source>1. Bi-d pattern                = 16 scales per 1 time. </source>
        <translation>1. Bi-D-Muster      = 16 Teilstriche je Druck. </translation>
    </message>
    <message>
        <source>2. Nozzle check pattern =  5 scales per 1 time. </source>
        <translation>2. Düsentestmuster =  5 Teilstriche je Druck. </translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Ausrichten</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>Print start position</source>
        <translation>Startposition des Drucks</translation>
    </message>
</context>
<context>
    <name>ChipInfoItemsPanel</name>
    <message>
        <source>ZLIC information </source>
        <translation>ZLIC-Informationen </translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Black I/C unique information</source>
        <translation>Tintenpatrone Schwarz: Kenndaten</translation>
    </message>
    <message>
        <source>Black I/C usage information</source>
        <translation>Tintenpatrone Schwarz: Verbrauchsdaten</translation>
    </message>
    <message>
        <source>Color I/C unique information</source>
        <translation>Tintenpatrone Farbe: Kenndaten</translation>
    </message>
    <message>
        <source>Color I/C usage information</source>
        <translation>Tintenpatrone Farbe: Verbrauchsdaten</translation>
    </message>
    <message>
        <source>Print out all information</source>
        <translation>Alle Informationen drucken</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ChipReportPanel</name>
    <message>
        <source>ZLIC information </source>
        <translation>ZLIC-Informationen </translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>CleaningPanel</name>
    <message>
        <source>Head cleaning </source>
        <translation>Druckkopfreinigung </translation>
    </message>
    <message>
        <source>Do you perform head cleaning? </source>
        <translation>Druckkopfreinigung ausführen? </translation>
    </message>
    <message>
        <source>&lt;&lt; Powerful cleaning will be done in this mode.&gt;&gt;</source>
        <translation>&lt;&lt; In dieser Betriebsart wird eine Intensivreinigung ausgeführt. &gt;&gt;</translation>
    </message>
    <message>
        <source>Note about 1/27 of the Bk brand-new I/C and 1/13 of the Color brand-new I/C are consumed in this sequence.</source>
        <translation>Hinweis: Dieser Ablauf verbraucht etwa 1/27 einer neuen schwarzen und 1/13 einer neuen farbigen Tintenpatrone.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CompletedPanel</name>
    <message>
        <source>All adjustment process has completed. </source>
        <translation>Alle Einstellschritte sind abgeschlossen. </translation>
    </message>
    <message>
        <source>Return to click the TopMenu button.</source>
        <translation>Mit der Schaltfläche „Hauptmenü“ kehren Sie zurück.</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>Limitaion of adjustment value is -70 to 70</source>
        <translation>Der Ausrichtungswert muss zwischen -70 und 70 liegen.</translation>
    </message>
    <message>
        <source>MS Black</source>
        <translation>MS Schwarz</translation>
    </message>
    <message>
        <source>MS Color</source>
        <translation>MS Farbe</translation>
    </message>
    <message>
        <source>6pl Black</source>
        <translation>6pl Schwarz</translation>
    </message>
    <message>
        <source>6pl Color</source>
        <translation>6pl Farbe</translation>
    </message>
    <message>
        <source>4pl Black</source>
        <translation>4pl Schwarz</translation>
    </message>
    <message>
        <source>4pl Color</source>
        <translation>4pl Farbe</translation>
    </message>
    <message>
        <source>Input data is wrong.</source>
        <translation>Die Eingabe ist ungültig.</translation>
    </message>
    <message>
        <source>Address = </source>
        <translation>Adresse = </translation>
    </message>
    <message>
        <source>Data = </source>
        <translation>Daten = </translation>
    </message>
    <message>
        <source>Head voltage ID = </source>
        <translation>Kopfspannungs-ID = </translation>
    </message>
    <message>
        <source>USB ID = </source>
        <translation>USB-ID = </translation>
    </message>
    <message>
        <source>Printer is error or power off status.
This program is closed by force.</source>
        <translation>Der Drucker meldet einen Fehler oder ist ausgeschaltet.
Das Programm wird zwangsweise beendet.</translation>
    </message>
    <message>
        <source>Cannot open port.</source>
        <translation>Der Anschluss kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Transmission error</source>
        <translation>Sendefehler</translation>
    </message>
    <message>
        <source>Receive error</source>
        <translation>Empfangsfehler</translation>
    </message>
    <message>
        <source>The printer is in use by another program.</source>
        <translation>Der Drucker wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>Head ID is invalid.</source>
        <translation>Die Druckkopf-ID ist ungültig.</translation>
    </message>
    <message>
        <source>The Number of digit is wrong.</source>
        <translation>Die Anzahl der Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>First Digit is wrong.</source>
        <translation>Das 1. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>Second Digit is wrong.</source>
        <translation>Das 2. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>Third Digit is wrong.</source>
        <translation>Das 3. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>Fourth Digit is wrong.</source>
        <translation>Das 4. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>Fifth Digit is wrong.</source>
        <translation>Das 5. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>6th Digit is wrong.</source>
        <translation>Das 6. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>7th Digit is wrong.</source>
        <translation>Das 7. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>8th Digit is wrong.</source>
        <translation>Das 8. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>9th Digit is wrong.</source>
        <translation>Das 9. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>10th Digit is wrong.</source>
        <translation>Das 10. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>11th Digit is wrong.</source>
        <translation>Das 11. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>12th Digit is wrong.</source>
        <translation>Das 12. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>13th Digit is wrong.</source>
        <translation>Das 13. Zeichen ist falsch.</translation>
    </message>
    <message>
        <source>Check ID is invalid.</source>
        <translation>Die Prüf-ID ist ungültig.</translation>
    </message>
    <message>
        <source>The computer&apos;s date is outside 1999 to 2034. Set the clock and try again.</source>
        <translation>Das Datum des Computers liegt außerhalb von 1999 bis 2034. Stellen Sie die Uhr und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The ink cartridge&apos;s chip holds no valid date.</source>
        <translation>Der Chip der Tintenpatrone enthält kein gültiges Datum.</translation>
    </message>
    <message>
        <source>The ink cartridge&apos;s chip holds invalid data.</source>
        <translation>Der Chip der Tintenpatrone enthält ungültige Daten.</translation>
    </message>
    <message>
        <source>The printer did not come back after the liquid exchange.</source>
        <translation>Der Drucker hat sich nach dem Flüssigkeitswechsel nicht zurückgemeldet.</translation>
    </message>
    <message>
        <source>Verify error: the printer does not hold what was written.</source>
        <translation>Prüffehler: Der Drucker enthält nicht, was geschrieben wurde.</translation>
    </message>
    <message>
        <source>Verify error: what was written cannot be read back.</source>
        <translation>Prüffehler: Das Geschriebene lässt sich nicht zurücklesen.</translation>
    </message>
    <message>
        <source>The service journal cannot be written; nothing was written to the printer.</source>
        <translation>Das Servicejournal kann nicht geschrieben werden; in den Drucker wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Counter value = </source>
        <translation>Zählerstand = </translation>
    </message>
    <message>
        <source>Have you replaced the Waste Ink Pad certainly?</source>
        <translation>Haben Sie das Abfalltintenkissen wirklich ersetzt?</translation>
    </message>
    <message>
        <source>Retry this routine from first step.</source>
        <translation>Wiederholen Sie den Ablauf ab dem ersten Schritt.</translation>
    </message>
    <message>
        <source>The protection counter has been initialized.</source>
        <translation>Der Abfalltintenzähler wurde zurückgesetzt.</translation>
    </message>
    <message>
        <source>Initialized</source>
        <translation>Zurückgesetzt</translation>
    </message>
    <message>
        <source>Performing powerful Cleaning (CL1&apos;&apos;) now.</source>
        <translation>Intensivreinigung (CL1&apos;&apos;) läuft.</translation>
    </message>
    <message>
        <source>Powerful Cleaning (CL1&apos;&apos;) is completed.</source>
        <translation>Intensivreinigung (CL1&apos;&apos;) ist abgeschlossen.</translation>
    </message>
    <message>
        <source>Performing Initial Ink Charge now.</source>
        <translation>Tinten-Erstbefüllung läuft.</translation>
    </message>
    <message>
        <source>Initial Ink Charge is completed.</source>
        <translation>Tinten-Erstbefüllung ist abgeschlossen.</translation>
    </message>
    <message>
        <source>Have you replaced both brand-new I/C?</source>
        <translation>Haben Sie beide Tintenpatronen durch neue ersetzt?</translation>
    </message>
    <message>
        <source>Please replace both brand-new I/C properly,
by performing I/C exchange sequence.</source>
        <translation>Bitte setzen Sie beide neuen Tintenpatronen ordnungsgemäß ein,
mit dem Ablauf für den Patronenwechsel.</translation>
    </message>
    <message>
        <source>Have you set the dummy I/C filled with L57 liquid?</source>
        <translation>Haben Sie die mit L57-Flüssigkeit gefüllte Dummy-Patrone eingesetzt?</translation>
    </message>
    <message>
        <source>Please set the dummy I/C filled with L57 liquid.</source>
        <translation>Bitte setzen Sie die mit L57-Flüssigkeit gefüllte Dummy-Patrone ein.</translation>
    </message>
    <message>
        <source>Performing Transportion Liquid Exchange now.</source>
        <translation>Transportflüssigkeitswechsel läuft.</translation>
    </message>
    <message>
        <source>Transportion Liquid Exchange is completed.</source>
        <translation>Transportflüssigkeitswechsel ist abgeschlossen.</translation>
    </message>
    <message>
        <source>Reseting data.</source>
        <translation>Daten werden zurückgesetzt.</translation>
    </message>
    <message>
        <source>Protection counter &amp; Ink Flag2 are reseted.</source>
        <translation>Abfalltintenzähler und Tinten-Flag 2 sind zurückgesetzt.</translation>
    </message>
    <message>
        <source>Replace the waste ink pad
after turn off the printer.</source>
        <translation>Schalten Sie den Drucker aus und
ersetzen Sie dann das Abfalltintenkissen.</translation>
    </message>
    <message>
        <source>Black I/C unique information </source>
        <translation>Tintenpatrone Schwarz: Kenndaten </translation>
    </message>
    <message>
        <source>Black I/C usage information </source>
        <translation>Tintenpatrone Schwarz: Verbrauchsdaten </translation>
    </message>
    <message>
        <source>Color I/C unique information </source>
        <translation>Tintenpatrone Farbe: Kenndaten </translation>
    </message>
    <message>
        <source>Color I/C usage information </source>
        <translation>Tintenpatrone Farbe: Verbrauchsdaten </translation>
    </message>
    <message>
        <source>A4 pattern is printing now.</source>
        <translation>A4-Prüfmuster wird gedruckt.</translation>
    </message>
    <message>
        <source>A4 pattern print is completed.</source>
        <translation>A4-Prüfmuster ist gedruckt.</translation>
    </message>
    <message>
        <source>Bi-d pattern is being printed out now.</source>
        <translation>Bi-D-Muster wird gedruckt.</translation>
    </message>
    <message>
        <source>Bi-d pattern print is completed.</source>
        <translation>Bi-D-Muster ist gedruckt.</translation>
    </message>
    <message>
        <source>Nozzle check pattern is printing now.</source>
        <translation>Düsentestmuster wird gedruckt.</translation>
    </message>
    <message>
        <source>Recovery clogged head routine has completed.</source>
        <translation>Die Reinigung verstopfter Düsen ist abgeschlossen.</translation>
    </message>
    <message>
        <source>All ZLIC info. is printing now.</source>
        <translation>Alle ZLIC-Informationen werden gedruckt.</translation>
    </message>
    <message>
        <source>ZLIC info. printing has completed.</source>
        <translation>Die ZLIC-Informationen sind gedruckt.</translation>
    </message>
    <message>
        <source>Stopped when the window was closed. The printer was left as its last complete step left it.</source>
        <translation>Beim Schließen des Fensters angehalten. Der Drucker ist im Zustand nach seinem letzten vollständigen Schritt.</translation>
    </message>
</context>
<context>
    <name>CounterCheckPanel</name>
    <message>
        <source>Check the protection counter </source>
        <translation>Abfalltintenzähler prüfen </translation>
    </message>
    <message>
        <source>Reading out the present protection counter.</source>
        <translation>Der aktuelle Abfalltintenzähler wird ausgelesen.</translation>
    </message>
    <message>
        <source>Maximum is 32,915 points.</source>
        <translation>Höchstwert: 32.915 Punkte.</translation>
    </message>
    <message>
        <source>If it is Over 23,500 points, replace the waste ink pad.</source>
        <translation>Bei mehr als 23.500 Punkten das Abfalltintenkissen ersetzen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>CounterClearPanel</name>
    <message>
        <source>Clear the protection counter </source>
        <translation>Abfalltintenzähler zurücksetzen </translation>
    </message>
    <message>
        <source>Now initializing the protection counter.</source>
        <translation>Der Abfalltintenzähler wird jetzt zurückgesetzt.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
</context>
<context>
    <name>DataResetPanel</name>
    <message>
        <source>Transportation Liquid Exchange</source>
        <translation>Transportflüssigkeitswechsel</translation>
    </message>
    <message>
        <source>It begins to perform data reset function as below.</source>
        <translation>Die folgenden Daten werden jetzt zurückgesetzt:</translation>
    </message>
    <message>
        <source> 1. Reset Waste Ink Pad counter </source>
        <translation> 1. Abfalltintenzähler zurücksetzen </translation>
    </message>
    <message>
        <source> 2. Set Ink Flag1 to Factory Settings </source>
        <translation> 2. Tinten-Flag 1 auf Werkseinstellung setzen </translation>
    </message>
    <message>
        <source>But following data reset has already done at the and of Transportaion Liquid Exchange.</source>
        <translation>Bereits am Ende des Transportflüssigkeitswechsels zurückgesetzt wurden:</translation>
    </message>
    <message>
        <source> 1. Reset Ink Consumption Counter </source>
        <translation> 1. Tintenverbrauchszähler zurücksetzen </translation>
    </message>
    <message>
        <source> 2. Set Ink Flag2 to Factory Setting </source>
        <translation> 2. Tinten-Flag 2 auf Werkseinstellung setzen </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>EepromGridPanel</name>
    <message>
        <source>Check the EEPROM data </source>
        <translation>EEPROM-Daten prüfen </translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>o</source>
        <translation>o</translation>
    </message>
    <message>
        <source>w</source>
        <translation>w</translation>
    </message>
    <message>
        <source>High</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>EEPROM data</source>
        <translation>EEPROM-Daten</translation>
    </message>
</context>
<context>
    <name>EepromReadPanel</name>
    <message>
        <source>Check the EEPROM data</source>
        <translation>EEPROM-Daten prüfen</translation>
    </message>
    <message>
        <source>Enter the reading start address and the end address.</source>
        <translation>Geben Sie die Start- und Endadresse zum Auslesen ein.</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>(Start)</source>
        <translation>(Start)</translation>
    </message>
    <message>
        <source>(End)</source>
        <translation>(Ende)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>First address to read, two hex digits</source>
        <translation>Erste zu lesende Adresse, zwei Hex-Ziffern</translation>
    </message>
    <message>
        <source>Last address to read, two hex digits</source>
        <translation>Letzte zu lesende Adresse, zwei Hex-Ziffern</translation>
    </message>
</context>
<context>
    <name>EepromWritePanel</name>
    <message>
        <source>Change the EEPROM data</source>
        <translation>EEPROM-Daten ändern</translation>
    </message>
    <message>
        <source>Enter a data and address.</source>
        <translation>Geben Sie Adresse und Datenwert ein.</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Two hex digits</source>
        <translation>Zwei Hex-Ziffern</translation>
    </message>
</context>
<context>
    <name>HeadIdInputPanel</name>
    <message>
        <source>Input Head ID </source>
        <translation>Druckkopf-ID eingeben </translation>
    </message>
    <message>
        <source>Enter the 13 digits Head ID.</source>
        <translation>Geben Sie die 13-stellige Druckkopf-ID ein.</translation>
    </message>
    <message>
        <source>Head ID</source>
        <translation>Druckkopf-ID</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>The 13 characters printed on the print head</source>
        <translation>Die 13 Zeichen, die auf dem Druckkopf stehen</translation>
    </message>
</context>
<context>
    <name>InkChargePanel</name>
    <message>
        <source>Initial ink charge </source>
        <translation>Tinten-Erstbefüllung </translation>
    </message>
    <message>
        <source>Do you want to perform the initial ink charge? </source>
        <translation>Tinten-Erstbefüllung ausführen? </translation>
    </message>
    <message>
        <source>Note about 1/10 of the Bk brand-new I/C and 1/5 of the Color brand-new I/C are consumed in this sequence.</source>
        <translation>Hinweis: Dieser Ablauf verbraucht etwa 1/10 einer neuen schwarzen und 1/5 einer neuen farbigen Tintenpatrone.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
</context>
<context>
    <name>ItemChoicePanel</name>
    <message>
        <source>Items</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>JpegPicture</name>
    <message>
        <source>The picture is larger than %1 x %1 pixels.</source>
        <translation>Das Bild ist größer als %1 × %1 Pixel.</translation>
    </message>
    <message>
        <source>The photograph is missing.</source>
        <translation>Das Foto fehlt.</translation>
    </message>
</context>
<context>
    <name>LiquidExchangePanel</name>
    <message>
        <source>Transportation Liquid Exchange</source>
        <translation>Transportflüssigkeitswechsel</translation>
    </message>
    <message>
        <source>Perform the exchange sequence as below.</source>
        <translation>Führen Sie den Wechsel wie folgt aus.</translation>
    </message>
    <message>
        <source>To discharge Ink with Transportation Liquid.</source>
        <translation>Die Tinte wird durch Transportflüssigkeit ausgespült.</translation>
    </message>
    <message>
        <source>EXCHANGE SEQUENCE</source>
        <translation>ABLAUF DES WECHSELS</translation>
    </message>
    <message>
        <source>If CR stops at I/C exchange position;</source>
        <translation>Wenn der Schlitten in der Patronenwechselposition steht:</translation>
    </message>
    <message>
        <source>First :</source>
        <translation>Erstens:</translation>
    </message>
    <message>
        <source>Press the Cleaning SW after setting the dummy I/C filled with L57 liquid.</source>
        <translation>Setzen Sie die mit L57-Flüssigkeit gefüllte Dummy-Patrone ein und drücken Sie die Reinigungstaste.</translation>
    </message>
    <message>
        <source>Second :</source>
        <translation>Zweitens:</translation>
    </message>
    <message>
        <source>Press the Cleaning SW after removing the dummy I/C.</source>
        <translation>Entnehmen Sie die Dummy-Patrone und drücken Sie die Reinigungstaste.</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
</context>
<context>
    <name>NozzleCheckPanel</name>
    <message>
        <source>Nozzle check </source>
        <translation>Düsentest </translation>
    </message>
    <message>
        <source>Nozzle check pattern printing and cleaning repeat to perform alternately.</source>
        <translation>Düsentestmuster drucken und Reinigen wechseln sich ab.</translation>
    </message>
    <message>
        <source>You can specify the print start position by Track Bar.</source>
        <translation>Mit dem Schieberegler legen Sie die Startposition des Drucks fest.</translation>
    </message>
    <message>
        <source>1. Bi-d pattern                = 16 scales per 1 time. </source>
        <translation>1. Bi-D-Muster      = 16 Teilstriche je Druck. </translation>
    </message>
    <message>
        <source>2. Nozzle check pattern =  5 scales per 1 time. </source>
        <translation>2. Düsentestmuster =  5 Teilstriche je Druck. </translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>Print start position</source>
        <translation>Startposition des Drucks</translation>
    </message>
</context>
<context>
    <name>PrinterLabels</name>
    <message>
        <source>Head label: %1</source>
        <translation>Kopfetikett: %1</translation>
    </message>
    <message>
        <source>Serial label: %1</source>
        <translation>Seriennummernetikett: %1</translation>
    </message>
    <message>
        <source>Scenario: %1</source>
        <translation>Szenario: %1</translation>
    </message>
    <message>
        <source>On the printer:</source>
        <translation>Am Drucker:</translation>
    </message>
</context>
<context>
    <name>PrinterWork</name>
    <message>
        <source>The printer is still at work. Stop at the next point where nothing is half-done and close the program?</source>
        <translation>Der Drucker arbeitet noch. An der nächsten Stelle anhalten, an der nichts halb erledigt ist, und das Programm schließen?</translation>
    </message>
    <message>
        <source>Waiting for the printer&apos;s reply</source>
        <translation>Warten auf die Antwort des Druckers</translation>
    </message>
    <message>
        <source>Asking the printer who it is</source>
        <translation>Drucker wird nach seiner Kennung gefragt</translation>
    </message>
    <message>
        <source>Working with the printer</source>
        <translation>Arbeit mit dem Drucker</translation>
    </message>
    <message>
        <source>%1: %2 s, %3 bytes sent, %4 received.</source>
        <translation>%1: %2 s, %3 Bytes gesendet, %4 empfangen.</translation>
    </message>
</context>
<context>
    <name>Repair</name>
    <message>
        <source>Printhead removal </source>
        <translation>Druckkopf ausbauen </translation>
    </message>
    <message>
        <source>Nozzle check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Nozzle check has completed</source>
        <translation>Düsentest abgeschlossen</translation>
    </message>
    <message>
        <source>Bi-D adjustment</source>
        <translation>Bi-D-Ausrichtung</translation>
    </message>
    <message>
        <source>Bi-D adjustent has completed</source>
        <translation>Bi-D-Ausrichtung abgeschlossen</translation>
    </message>
    <message>
        <source>Printhead Replacement </source>
        <translation>Druckkopf ersetzen </translation>
    </message>
    <message>
        <source>Head ID input</source>
        <translation>Druckkopf-ID eingeben</translation>
    </message>
    <message>
        <source>Head ID input has completed</source>
        <translation>Druckkopf-ID eingegeben</translation>
    </message>
    <message>
        <source>Ink charge</source>
        <translation>Tintenbefüllung</translation>
    </message>
    <message>
        <source>Initial ink charge has completed</source>
        <translation>Tinten-Erstbefüllung abgeschlossen</translation>
    </message>
    <message>
        <source>Main Board Replacement </source>
        <translation>Hauptplatine ersetzen </translation>
    </message>
    <message>
        <source>Bi-D adjustment has completed</source>
        <translation>Bi-D-Ausrichtung abgeschlossen</translation>
    </message>
    <message>
        <source>USB ID input</source>
        <translation>USB-ID eingeben</translation>
    </message>
    <message>
        <source>USB ID input has completed</source>
        <translation>USB-ID eingegeben</translation>
    </message>
    <message>
        <source>Carriage unit replacement or removal </source>
        <translation>Schlitteneinheit ersetzen oder ausbauen </translation>
    </message>
    <message>
        <source>CR Motor replacement </source>
        <translation>Schlittenmotor (CR) ersetzen </translation>
    </message>
    <message>
        <source>Printer mechanism replacement </source>
        <translation>Druckwerk ersetzen </translation>
    </message>
    <message>
        <source>Ink charge has completed</source>
        <translation>Tintenbefüllung abgeschlossen</translation>
    </message>
    <message>
        <source>Waste Ink Pad replacemant </source>
        <translation>Abfalltintenkissen ersetzen </translation>
    </message>
    <message>
        <source>Protection counter clear</source>
        <translation>Abfalltintenzähler zurücksetzen</translation>
    </message>
    <message>
        <source>Protec counter clear has completed</source>
        <translation>Abfalltintenzähler zurückgesetzt</translation>
    </message>
</context>
<context>
    <name>SnapshotProgress</name>
    <message>
        <source>Keeping a copy of the printer&apos;s EEPROM for the service journal before its first write: %1 of %2 bytes read.</source>
        <translation>Vor dem ersten Schreiben wird eine Kopie des Drucker-EEPROMs für das Servicejournal angelegt: %1 von %2 Bytes gelesen.</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Corvane Opal 310/320</source>
        <translation>Corvane Opal 310/320</translation>
    </message>
    <message>
        <source>Service Program</source>
        <translation>Serviceprogramm</translation>
    </message>
    <message>
        <source>for Linux</source>
        <translation>für Linux</translation>
    </message>
    <message>
        <source>Version 1.1</source>
        <translation>Version 1.1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFormAdjust</name>
    <message>
        <source>Individual Adjustment Service Program</source>
        <translation>Serviceprogramm Einzeleinstellung</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source> Adjustment items </source>
        <translation> Einstellungen </translation>
    </message>
    <message>
        <source>Head ID</source>
        <translation>Druckkopf-ID</translation>
    </message>
    <message>
        <source>Bi-D</source>
        <translation>Bi-D</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB-ID</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Wartung</translation>
    </message>
    <message>
        <source> Maintenance items </source>
        <translation> Wartungsarbeiten </translation>
    </message>
    <message>
        <source>Head cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Initial ink charge</source>
        <translation>Tinten-Erstbefüllung</translation>
    </message>
    <message>
        <source>Refurbishment for DOA</source>
        <translation>Aufbereitung (DOA)</translation>
    </message>
    <message>
        <source>Protection counter</source>
        <translation>Abfalltintenzähler</translation>
    </message>
    <message>
        <source>Check pattern printing</source>
        <translation>Prüfmusterdruck</translation>
    </message>
    <message>
        <source> Check pattern printing items </source>
        <translation> Prüfmuster </translation>
    </message>
    <message>
        <source>A4 normal paper printing</source>
        <translation>Druck auf A4-Normalpapier</translation>
    </message>
    <message>
        <source>Appendix</source>
        <translation>Anhang</translation>
    </message>
    <message>
        <source> Appendix items </source>
        <translation> Weitere Funktionen </translation>
    </message>
    <message>
        <source>ZLIC information</source>
        <translation>ZLIC-Informationen</translation>
    </message>
    <message>
        <source>EEPROM data</source>
        <translation>EEPROM-Daten</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Adjustment menus</source>
        <translation>Menüs der Einstellung</translation>
    </message>
</context>
<context>
    <name>TFormBoot</name>
    <message>
        <source>VELTA Printer Service Program</source>
        <translation>VELTA Drucker-Serviceprogramm</translation>
    </message>
    <message>
        <source>for Linux</source>
        <translation>für Linux</translation>
    </message>
    <message>
        <source>Model Name</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Port Selection</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>LPT1</source>
        <translation>LPT1</translation>
    </message>
    <message>
        <source>LPT2</source>
        <translation>LPT2</translation>
    </message>
    <message>
        <source>LPT3</source>
        <translation>LPT3</translation>
    </message>
    <message>
        <source>VLUSB1</source>
        <translation>VLUSB1</translation>
    </message>
    <message>
        <source>VLUSB2</source>
        <translation>VLUSB2</translation>
    </message>
    <message>
        <source>VLUSB3</source>
        <translation>VLUSB3</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Zielregion</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Program type</source>
        <translation>Programmart</translation>
    </message>
    <message>
        <source>Individual Adjustment Service Program</source>
        <translation>Serviceprogramm Einzeleinstellung</translation>
    </message>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation>Serviceprogramm Reparaturablauf</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>TFormBootSequential</name>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation>Serviceprogramm Reparaturablauf</translation>
    </message>
    <message>
        <source>What do you perform repair item? Select the below.</source>
        <translation>Welche Reparatur führen Sie aus? Wählen Sie unten aus.</translation>
    </message>
    <message>
        <source>Repair Menu</source>
        <translation>Reparaturmenü</translation>
    </message>
    <message>
        <source>1. Printhead removal</source>
        <translation>1. Druckkopf ausbauen</translation>
    </message>
    <message>
        <source>2. Printhead replacement</source>
        <translation>2. Druckkopf ersetzen</translation>
    </message>
    <message>
        <source>3. Main board replacement</source>
        <translation>3. Hauptplatine ersetzen</translation>
    </message>
    <message>
        <source>4. Carriage unit replacement or removal</source>
        <translation>4. Schlitteneinheit ersetzen oder ausbauen</translation>
    </message>
    <message>
        <source>5. CR Motor replacement</source>
        <translation>5. Schlittenmotor (CR) ersetzen</translation>
    </message>
    <message>
        <source>6. Printer mechanism replacement</source>
        <translation>6. Druckwerk ersetzen</translation>
    </message>
    <message>
        <source>7. Waste Ink Pad replacement</source>
        <translation>7. Abfalltintenkissen ersetzen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TFormPrintedPages</name>
    <message>
        <source>Printed pages</source>
        <translation>Gedruckte Seiten</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Printed page</source>
        <translation>Gedruckte Seite</translation>
    </message>
    <message>
        <source>Zoom out (Ctrl+minus)</source>
        <translation>Verkleinern (Strg+Minus)</translation>
    </message>
    <message>
        <source>Whole page (Ctrl+0), 1:1 (Ctrl+1)</source>
        <translation>Ganze Seite (Strg+0), 1:1 (Strg+1)</translation>
    </message>
    <message>
        <source>Zoom in (Ctrl+plus)</source>
        <translation>Vergrößern (Strg+Plus)</translation>
    </message>
    <message>
        <source>Bi-D blocks</source>
        <translation>Bi-D-Blöcke</translation>
    </message>
    <message>
        <source>Each Bi-D block&apos;s five columns side by side, one dot four pixels wide</source>
        <translation>Die fünf Spalten jedes Bi-D-Blocks nebeneinander, ein Punkt vier Pixel breit</translation>
    </message>
    <message>
        <source>Strong light inks</source>
        <translation>Helle Tinten kräftig</translation>
    </message>
    <message>
        <source>Light cyan and light magenta drawn darker, so faint marks can be judged</source>
        <translation>Hell-Cyan und Hell-Magenta dunkler gezeichnet, damit schwache Marken zu beurteilen sind</translation>
    </message>
</context>
<context>
    <name>TFormQuit</name>
    <message>
        <source>Termination of this program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Do you continue?</source>
        <translation>Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TFormSequentialRepair</name>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation>Serviceprogramm Reparaturablauf</translation>
    </message>
    <message>
        <source>Return to Repair menu</source>
        <translation>Zurück zum Reparaturmenü</translation>
    </message>
    <message>
        <source>Top Menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>TFormServiceHistory</name>
    <message>
        <source>Service history</source>
        <translation>Servicehistorie</translation>
    </message>
    <message>
        <source>Printer (serial, USB ID or head ID):</source>
        <translation>Drucker (Seriennummer, USB-ID oder Druckkopf-ID):</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>#</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Changes (address: old -&gt; new)</source>
        <translation>Änderungen (Adresse: alt -&gt; neu)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Restore values...</source>
        <translation>Werte wiederherstellen...</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>Bericht...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Entry details</source>
        <translation>Details des Eintrags</translation>
    </message>
</context>
<context>
    <name>UsbIdInputPanel</name>
    <message>
        <source>Input USB ID</source>
        <translation>USB-ID eingeben</translation>
    </message>
    <message>
        <source>Enter the Serial No., and Click OK Button.</source>
        <translation>Geben Sie die Seriennummer ein und klicken Sie auf „OK“.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
</context>
<context>
    <name>Zoom</name>
    <message>
        <source>Whole page</source>
        <translation>Ganze Seite</translation>
    </message>
</context>
<context>
    <name>opal::app::DiagnoseItem</name>
    <message>
        <source>Diagnose...</source>
        <translation>Diagnose...</translation>
    </message>
    <message>
        <source>Diagnosing the printer ports...</source>
        <translation>Druckeranschlüsse werden untersucht...</translation>
    </message>
</context>
<context>
    <name>opal::ui::CounterClearPanel</name>
    <message>
        <source>The protection counter is initialized by clicking OK button.</source>
        <translation>Mit „OK“ wird der Abfalltintenzähler zurückgesetzt.</translation>
    </message>
</context>
<context>
    <name>opal::ui::CounterPanel</name>
    <message>
        <source>Protection counter maintenance </source>
        <translation>Abfalltintenzähler </translation>
    </message>
    <message>
        <source>Check the protection counter.</source>
        <translation>Abfalltintenzähler prüfen.</translation>
    </message>
    <message>
        <source>Clear the protection counter.</source>
        <translation>Abfalltintenzähler zurücksetzen.</translation>
    </message>
</context>
<context>
    <name>opal::ui::EepromCheckPanel</name>
    <message>
        <source>EEPROM data </source>
        <translation>EEPROM-Daten </translation>
    </message>
    <message>
        <source>Check the EEPROM data</source>
        <translation>EEPROM-Daten prüfen</translation>
    </message>
    <message>
        <source>Change the EEPROM data</source>
        <translation>EEPROM-Daten ändern</translation>
    </message>
</context>
<context>
    <name>opal::ui::HeadIdInputPanel</name>
    <message>
        <source>The photograph cannot be shown: %1</source>
        <translation>Das Foto kann nicht angezeigt werden: %1</translation>
    </message>
</context>
<context>
    <name>opal::ui::HeadIdPanel</name>
    <message>
        <source>Head ID adjustment items </source>
        <translation>Druckkopf-ID </translation>
    </message>
    <message>
        <source>Input head ID</source>
        <translation>Druckkopf-ID eingeben</translation>
    </message>
    <message>
        <source>Check head ID</source>
        <translation>Druckkopf-ID prüfen</translation>
    </message>
</context>
<context>
    <name>opal::ui::InkChargePanel</name>
    <message>
        <source>Ink charge </source>
        <translation>Tintenbefüllung </translation>
    </message>
    <message>
        <source>Do you want to perform the ink charge? </source>
        <translation>Tintenbefüllung ausführen? </translation>
    </message>
</context>
<context>
    <name>opal::ui::NozzleCheckPanel</name>
    <message>
        <source>If there are any dot missing, please retry this routine.
In the case of no-missing, click the Complete button.</source>
        <translation>Fehlen Punkte, wiederholen Sie diesen Ablauf.
Fehlt nichts, klicken Sie auf „Abschließen“.</translation>
    </message>
</context>
<context>
    <name>opal::ui::PrintersFoundLine</name>
    <message>
        <source>No USB printer found.</source>
        <translation>Kein USB-Drucker gefunden.</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>Gefunden: %1</translation>
    </message>
</context>
<context>
    <name>opal::ui::ProgramForm</name>
    <message>
        <source>This program starts to initialize the printer.
Please wait about 30 seconds.</source>
        <translation>Das Programm initialisiert jetzt den Drucker.
Bitte etwa 30 Sekunden warten.</translation>
    </message>
</context>
<context>
    <name>opal::ui::ShopStateLine</name>
    <message>
        <source>Shop: looking for its database...</source>
        <translation>Werkstatt: Datenbank wird gesucht...</translation>
    </message>
</context>
<context>
    <name>opal::ui::TAboutBox</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormAdjust</name>
    <message>
        <source>Current Printer ID is %1.</source>
        <translation>Aktuelle Drucker-ID: %1.</translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormBoot</name>
    <message>
        <source>

Finish the write, put the old values back, or leave the printer as it is?</source>
        <translation>

Das Schreiben abschließen, die alten Werte zurückschreiben oder den Drucker so lassen?</translation>
    </message>
    <message>
        <source>The printer could not be set up as the %1.
%2

The port is closed again. Check the printer and its cable, then press OK to try again.</source>
        <translation>Der Drucker konnte nicht als %1 eingerichtet werden.
%2

Der Anschluss ist wieder geschlossen. Prüfen Sie Drucker und Kabel und drücken Sie dann „OK“, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>The printer reports itself as %1; its identity will be rewritten as %2. Continue?</source>
        <translation>Der Drucker meldet sich als %1; seine Kennung wird als %2 neu geschrieben. Fortfahren?</translation>
    </message>
    <message>
        <source>Finish it</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>Put old values back</source>
        <translation>Alte Werte zurückschreiben</translation>
    </message>
    <message>
        <source>Leave it</source>
        <translation>So lassen</translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormPrintedPages</name>
    <message>
        <source>Printed pages</source>
        <translation>Gedruckte Seiten</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>No page printed yet.</source>
        <translation>Noch keine Seite gedruckt.</translation>
    </message>
    <message>
        <source>%1, %2 × %3 printer dots, zoom %4</source>
        <translation>%1, %2 × %3 Druckpunkte, Zoom %4</translation>
    </message>
    <message>
        <source>This page holds no Bi-D block</source>
        <translation>Diese Seite enthält keinen Bi-D-Block</translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormSequentialRepair</name>
    <message>
        <source>Are you sure to return to first menu?</source>
        <translation>Wirklich zum Hauptmenü zurückkehren?</translation>
    </message>
    <message>
        <source>After then, replace both brand-new I/C
and ink waste pad properly.</source>
        <translation>Ersetzen Sie danach beide Tintenpatronen durch neue
und das Abfalltintenkissen ordnungsgemäß.</translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormServiceHistory</name>
    <message>
        <source>Printer %1 (%2, head ID %3) at %4, by %5
</source>
        <translation>Drucker %1 (%2, Druckkopf-ID %3) an %4, von %5
</translation>
    </message>
    <message>
        <source>Every value was left as it was found.
</source>
        <translation>Alle Werte blieben, wie sie vorgefunden wurden.
</translation>
    </message>
    <message>
        <source>Undo entry #%1 (%2) on the printer at %3?
</source>
        <translation>Eintrag Nr. %1 (%2) am Drucker an %3 rückgängig machen?
</translation>
    </message>
    <message>
        <source>These bytes will be written and read back:
</source>
        <translation>Diese Bytes werden geschrieben und zurückgelesen:
</translation>
    </message>
    <message>
        <source>Service history...</source>
        <translation>Servicehistorie...</translation>
    </message>
    <message>
        <source>Entries for the printer %1 %2%3</source>
        <translation>Einträge für den Drucker %1 %2%3</translation>
    </message>
    <message>
        <source>from every bench of the shop</source>
        <translation>von allen Arbeitsplätzen der Werkstatt</translation>
    </message>
    <message>
        <source>from this bench&apos;s journal</source>
        <translation>aus dem Journal dieses Arbeitsplatzes</translation>
    </message>
    <message>
        <source>Entries for the printer at %1</source>
        <translation>Einträge für den Drucker an %1</translation>
    </message>
    <message>
        <source>Entries for every printer (choose a port on the start-up form to undo)</source>
        <translation>Einträge aller Drucker (zum Rückgängigmachen im Startfenster einen Anschluss wählen)</translation>
    </message>
    <message>
        <source>The service journal cannot be read: %1</source>
        <translation>Das Servicejournal kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Choose the printer&apos;s port on the start-up form and type the serial number from the printer&apos;s label.</source>
        <translation>Wählen Sie im Startfenster den Anschluss des Druckers und geben Sie die Seriennummer vom Typenschild ein.</translation>
    </message>
    <message>
        <source>No snapshot of the printer with serial %1 was found; its values are not known.%2</source>
        <translation>Für den Drucker mit der Seriennummer %1 wurde keine Sicherung gefunden; seine Werte sind nicht bekannt.%2</translation>
    </message>
    <message>
        <source> Write them to the printer at %1?
</source>
        <translation> In den Drucker an %1 schreiben?
</translation>
    </message>
    <message>
        <source>The printer holds these values already.</source>
        <translation>Der Drucker enthält diese Werte bereits.</translation>
    </message>
    <message>
        <source>Wrote %1 bytes and read each back (journal entry #%2).</source>
        <translation>%1 Bytes geschrieben und jedes zurückgelesen (Journaleintrag Nr. %2).</translation>
    </message>
    <message>
        <source>Find the printer by its serial number or ID first: the report is of its entries.</source>
        <translation>Suchen Sie zuerst den Drucker über Seriennummer oder ID: Der Bericht umfasst seine Einträge.</translation>
    </message>
    <message>
        <source>Service report</source>
        <translation>Servicebericht</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;HTML page (*.html)</source>
        <translation>PDF (*.pdf);;HTML-Seite (*.html)</translation>
    </message>
    <message>
        <source>The report of %1 operations since %2 is in %3.</source>
        <translation>Der Bericht über %1 Vorgänge seit %2 liegt in %3.</translation>
    </message>
    <message>
        <source>The report was not written: %1</source>
        <translation>Der Bericht wurde nicht geschrieben: %1</translation>
    </message>
</context>
<context>
    <name>opal::ui::UpDown</name>
    <message>
        <source>Up</source>
        <translation>Höher</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Niedriger</translation>
    </message>
</context>
<context>
    <name>opal::ui::UsbIdInputPanel</name>
    <message>
        <source>Input USB ID </source>
        <translation>USB-ID eingeben </translation>
    </message>
    <message>
        <source>Enter Serial NO., and click OK button. </source>
        <translation>Geben Sie die Seriennummer ein und klicken Sie auf „OK“. </translation>
    </message>
</context>
<context>
    <name>opal::ui::UsbIdPanel</name>
    <message>
        <source>USB ID adjustment items </source>
        <translation>USB-ID </translation>
    </message>
    <message>
        <source>Input USB ID</source>
        <translation>USB-ID eingeben</translation>
    </message>
    <message>
        <source>Check USB ID</source>
        <translation>USB-ID prüfen</translation>
    </message>
</context>
<context>
    <name>opal::ui::WaitCountdown</name>
    <message>
        <source>Please wait: %1 s</source>
        <translation>Bitte warten: %1 s</translation>
    </message>
</context>
</TS>
