<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>A4CheckPanel</name>
    <message>
        <source>Print A4 pattern </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. Beta pattern(BK-C-M-LC-LM-Y) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. Nozzle check pattern(BK-C-M-LC-LM-Y) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3. Head alignment pattern(BK-C-M-LC-LM-Y) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4. Head ID </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5. USB  ID </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6. Protection counter value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7. Bi-d check pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8. ZLIS information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdjustedItemPanel</name>
    <message>
        <source>Adjusted Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>color: white; background: #0097c0; padding: 3px;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head voltage ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D Adjustment value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6pl Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4pl Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6pl Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4pl Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection counter value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ApplicationExit</name>
    <message>
        <source>Diagnose...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BidInputPanel</name>
    <message>
        <source>Input Bi-D adjustment value </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BidItemsPanel</name>
    <message>
        <source>Bi-Directional adjustment items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the Bi-D adjustment pattern.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Bi-D adjustment value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check present adjustment data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BidPrintPanel</name>
    <message>
        <source>Print the Bi-D adjustment pattern </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D adjustment pattern will print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(We recommend to use high quality paper.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can specify the print start position by Track Bar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. Bi-d pattern                = 16 scales per 1 time. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. Nozzle check pattern =  5 scales per 1 time. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChipInfoItemsPanel</name>
    <message>
        <source>ZLIC information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black I/C unique information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black I/C usage information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color I/C unique information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color I/C usage information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print out all information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChipReportPanel</name>
    <message>
        <source>ZLIC information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CleaningPanel</name>
    <message>
        <source>Head cleaning </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you perform head cleaning? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;&lt; Powerful cleaning will be done in this mode.&gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note about 1/27 of the Bk brand-new I/C and 1/13 of the Color brand-new I/C are consumed in this sequence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompletedPanel</name>
    <message>
        <source>All adjustment process has completed. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to click the TopMenu button.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>Limitaion of adjustment value is -70 to 70</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6pl Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6pl Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4pl Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4pl Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input data is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head voltage ID = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB ID = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer is error or power off status.
This program is closed by force.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmission error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer is in use by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head ID is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Number of digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Third Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fourth Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fifth Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13th Digit is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check ID is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The computer&apos;s date is outside 1999 to 2034. Set the clock and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ink cartridge&apos;s chip holds no valid date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ink cartridge&apos;s chip holds invalid data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer did not come back after the liquid exchange.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify error: the printer does not hold what was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify error: what was written cannot be read back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service journal cannot be written; nothing was written to the printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter value = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have you replaced the Waste Ink Pad certainly?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry this routine from first step.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protection counter has been initialized.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialized</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Performing powerful Cleaning (CL1&apos;&apos;) now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Powerful Cleaning (CL1&apos;&apos;) is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Performing Initial Ink Charge now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial Ink Charge is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have you replaced both brand-new I/C?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please replace both brand-new I/C properly,
by performing I/C exchange sequence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have you set the dummy I/C filled with L57 liquid?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please set the dummy I/C filled with L57 liquid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Performing Transportion Liquid Exchange now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transportion Liquid Exchange is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reseting data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection counter &amp; Ink Flag2 are reseted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the waste ink pad
after turn off the printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black I/C unique information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black I/C usage information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color I/C unique information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color I/C usage information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4 pattern is printing now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4 pattern print is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-d pattern is being printed out now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-d pattern print is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nozzle check pattern is printing now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery clogged head routine has completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All ZLIC info. is printing now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZLIC info. printing has completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped when the window was closed. The printer was left as its last complete step left it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CounterCheckPanel</name>
    <message>
        <source>Check the protection counter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading out the present protection counter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum is 32,915 points.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it is Over 23,500 points, replace the waste ink pad.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CounterClearPanel</name>
    <message>
        <source>Clear the protection counter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now initializing the protection counter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataResetPanel</name>
    <message>
        <source>Transportation Liquid Exchange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It begins to perform data reset function as below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 1. Reset Waste Ink Pad counter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 2. Set Ink Flag1 to Factory Settings </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>But following data reset has already done at the and of Transportaion Liquid Exchange.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 1. Reset Ink Consumption Counter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 2. Set Ink Flag2 to Factory Setting </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EepromGridPanel</name>
    <message>
        <source>Check the EEPROM data </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>o</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>w</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EepromReadPanel</name>
    <message>
        <source>Check the EEPROM data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the reading start address and the end address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>~</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Start)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(End)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EepromWritePanel</name>
    <message>
        <source>Change the EEPROM data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a data and address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeadIdInputPanel</name>
    <message>
        <source>Input Head ID </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the 13 digits Head ID.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InkChargePanel</name>
    <message>
        <source>Initial ink charge </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to perform the initial ink charge? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note about 1/10 of the Bk brand-new I/C and 1/5 of the Color brand-new I/C are consumed in this sequence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ItemChoicePanel</name>
    <message>
        <source>Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JpegPicture</name>
    <message>
        <source>The picture is larger than %1 x %1 pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photograph is missing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LiquidExchangePanel</name>
    <message>
        <source>Transportation Liquid Exchange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perform the exchange sequence as below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To discharge Ink with Transportation Liquid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXCHANGE SEQUENCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If CR stops at I/C exchange position;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the Cleaning SW after setting the dummy I/C filled with L57 liquid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the Cleaning SW after removing the dummy I/C.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NozzleCheckPanel</name>
    <message>
        <source>Nozzle check </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nozzle check pattern printing and cleaning repeat to perform alternately.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can specify the print start position by Track Bar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. Bi-d pattern                = 16 scales per 1 time. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. Nozzle check pattern =  5 scales per 1 time. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrinterWork</name>
    <message>
        <source>The printer is still at work. Stop at the next point where nothing is half-done and close the program?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the printer&apos;s reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the printer who it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working with the printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 s, %3 bytes sent, %4 received.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Repair</name>
    <message>
        <source>Printhead removal </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nozzle check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nozzle check has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D adjustment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D adjustent has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printhead Replacement </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head ID input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head ID input has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ink charge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial ink charge has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Board Replacement </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D adjustment has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB ID input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB ID input has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carriage unit replacement or removal </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CR Motor replacement </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer mechanism replacement </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ink charge has completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waste Ink Pad replacemant </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection counter clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protec counter clear has completed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SnapshotProgress</name>
    <message>
        <source>Keeping a copy of the printer&apos;s EEPROM for the service journal before its first write: %1 of %2 bytes read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane Opal 310/320</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormAdjust</name>
    <message>
        <source>Individual Adjustment Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Adjustment items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Maintenance items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Head cleaning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial ink charge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refurbishment for DOA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check pattern printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Check pattern printing items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4 normal paper printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appendix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Appendix items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZLIC information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormBoot</name>
    <message>
        <source>VELTA Printer Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LPT1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LPT2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LPT3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VLUSB1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VLUSB2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VLUSB3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Individual Adjustment Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormBootSequential</name>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What do you perform repair item? Select the below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. Printhead removal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. Printhead replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3. Main board replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4. Carriage unit replacement or removal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5. CR Motor replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6. Printer mechanism replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7. Waste Ink Pad replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormPrintedPages</name>
    <message>
        <source>Printed pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormQuit</name>
    <message>
        <source>Termination of this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormSequentialRepair</name>
    <message>
        <source>Sequential Repair Service Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to Repair menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top Menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormServiceHistory</name>
    <message>
        <source>Service history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer (serial, USB ID or head ID):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bench</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes (address: old -&gt; new)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore values...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UsbIdInputPanel</name>
    <message>
        <source>Input USB ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the Serial No., and Click OK Button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Zoom</name>
    <message>
        <source>Whole page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::app::DiagnoseItem</name>
    <message>
        <source>Diagnose...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diagnosing the printer ports...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::CounterClearPanel</name>
    <message>
        <source>The protection counter is initialized by clicking OK button.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::CounterPanel</name>
    <message>
        <source>Protection counter maintenance </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the protection counter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the protection counter.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::EepromCheckPanel</name>
    <message>
        <source>EEPROM data </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the EEPROM data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the EEPROM data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::HeadIdInputPanel</name>
    <message>
        <source>The photograph cannot be shown: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::HeadIdPanel</name>
    <message>
        <source>Head ID adjustment items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input head ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check head ID</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::InkChargePanel</name>
    <message>
        <source>Ink charge </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to perform the ink charge? </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::NozzleCheckPanel</name>
    <message>
        <source>If there are any dot missing, please retry this routine.
In the case of no-missing, click the Complete button.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::PrintersFoundLine</name>
    <message>
        <source>No USB printer found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::ProgramForm</name>
    <message>
        <source>This program starts to initialize the printer.
Please wait about 30 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::ShopStateLine</name>
    <message>
        <source>Shop: looking for its database...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TAboutBox</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormAdjust</name>
    <message>
        <source>Current Printer ID is %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormBoot</name>
    <message>
        <source>

Finish the write, put the old values back, or leave the printer as it is?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer could not be set up as the %1.
%2

The port is closed again. Check the printer and its cable, then press OK to try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer reports itself as %1; its identity will be rewritten as %2. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put old values back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormPrintedPages</name>
    <message>
        <source>Printed pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormSequentialRepair</name>
    <message>
        <source>Are you sure to return to first menu?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After then, replace both brand-new I/C
and ink waste pad properly.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::TFormServiceHistory</name>
    <message>
        <source>Printer %1 (%2, head ID %3) at %4, by %5
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every value was left as it was found.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo entry #%1 (%2) on the printer at %3?
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These bytes will be written and read back:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service history...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries for the printer %1 %2%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from every bench of the shop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from this bench&apos;s journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries for the printer at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries for every printer (choose a port on the start-up form to undo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service journal cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the printer&apos;s port on the start-up form and type the serial number from the printer&apos;s label.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No snapshot of the printer with serial %1 was found; its values are not known.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Write them to the printer at %1?
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer holds these values already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrote %1 bytes and read each back (journal entry #%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the printer by its serial number or ID first: the report is of its entries.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF (*.pdf);;HTML page (*.html)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report of %1 operations since %2 is in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report was not written: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::UsbIdInputPanel</name>
    <message>
        <source>Input USB ID </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Serial NO., and click OK button. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::UsbIdPanel</name>
    <message>
        <source>USB ID adjustment items </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input USB ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check USB ID</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>opal::ui::WaitCountdown</name>
    <message>
        <source>Please wait: %1 s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
