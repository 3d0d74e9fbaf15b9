/*VOXTAG
[Settings]
Title='Customer tables'
Description='Creates the customer tables'
Application=1
Priority=10
Guid={5B0E1C9A-3F2D-4C1B-9E7A-2D4F6A8B0C11}
[SettingsEnd]
VOXTAG*/

-- Customers and their addresses
CREATE TABLE customer (
	id      INT NOT NULL,   /* key */
	name    VARCHAR(80),
	note    VARCHAR(200) DEFAULT '/* not a comment */'
)
GO
